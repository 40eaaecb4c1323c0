#!/usr/bin/env bash
# scripts/run, given a Steam game's Proton prefix as WINEPREFIX, refuses at
# once: it exits non-zero with the advice on stderr, runs no installer,
# compiler or Wine, and leaves every file of the compatdata folder and the
# game folder as it was. A prefix without Proton's version file is not refused.
#   run_refuses_proton_prefix.sh PATH/TO/scripts/run
set -uo pipefail
run_script="$1"
. "$(dirname "$0")/scratch.sh"

# A Steam library as Proton lays it out: compatdata/<app id> holds Proton's
# version file and the prefix, pfx.
library="$scratch/library/steamapps"
compatdata="$library/compatdata/4242"
game="$library/common/Vaelmoor Duskrune"
mkdir -p "$compatdata/pfx/drive_c/windows" "$compatdata/pfx/dosdevices" "$game/Songs"
printf '8.0-5\n' >"$compatdata/version"
printf 'WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21\n' >"$compatdata/pfx/user.reg"
printf 'WINE REGISTRY Version 2\n' >"$compatdata/pfx/system.reg"
printf '[fonts]\r\n' >"$compatdata/pfx/drive_c/windows/win.ini"
ln -s ../drive_c "$compatdata/pfx/dosdevices/c:"
printf 'Duskrune March.mp3\r\n' >"$game/Songs/Playlist.txt"
cp -a "$library" "$scratch/before"

# Whatever the script would run past the check leaves a line here and fails.
mkdir "$scratch/bin"
for command in apt-get sudo dpkg-query cmake wine wine64 wineserver wineboot Xvfb runuser useradd \
    i686-w64-mingw32-g++-posix; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/ran"\nexit 1\n' "$command" "$scratch" >"$scratch/bin/$command"
    chmod +x "$scratch/bin/$command"
done

for prefix in "$compatdata/pfx" "$compatdata/pfx/"; do
    rm -f "$scratch/ran"
    PATH="$scratch/bin:$PATH" WINEPREFIX="$prefix" timeout 60 bash "$run_script" "$game" \
        >"$scratch/stdout" 2>"$scratch/stderr" </dev/null
    status=$?
    echo "WINEPREFIX=$prefix: exit $status"
    [ "$status" -ne 0 ] || fail "scripts/run exited 0"
    [ "$status" -ne 124 ] || fail "scripts/run did not end within 60 s"
    grep -q "is a Proton prefix" "$scratch/stderr" || fail "no refusal on stderr"
    grep -q "protontricks-launch --appid 4242 KervaneSettings.exe" "$scratch/stderr" ||
        fail "no protontricks-launch advice on stderr"
    grep -q "STEAM_COMPAT_DATA_PATH=\"$compatdata\"" "$scratch/stderr" || fail "no proton run advice on stderr"
    if [ -e "$scratch/ran" ]; then fail "scripts/run went on past the check and ran:"; cat "$scratch/ran"; fi
    diff -r --no-dereference "$scratch/before" "$library" || fail "the Steam library's files changed"
done

# A prefix of the player's own, without Proton's version file beside it, is
# not refused: the script goes on to its set-up (here, the stubs).
mkdir -p "$scratch/own/pfx"
rm -f "$scratch/ran"
PATH="$scratch/bin:$PATH" WINEPREFIX="$scratch/own/pfx" timeout 60 bash "$run_script" "$game" \
    >"$scratch/stdout" 2>"$scratch/stderr" </dev/null
echo "WINEPREFIX=$scratch/own/pfx: exit $?"
if grep -q "is a Proton prefix" "$scratch/stderr"; then fail "a prefix without Proton's version file was refused"; fi
[ -e "$scratch/ran" ] || fail "scripts/run stopped before its set-up with a prefix of the player's own"

if [ "$failures" -ne 0 ]; then
    echo "--- stderr of the last run:"
    cat "$scratch/stderr"
    exit 1
fi
echo "scripts/run refused the Proton prefix and changed nothing"
