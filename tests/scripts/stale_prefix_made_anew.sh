#!/usr/bin/env bash
# The scripts' prefixes under build/ outlive a run. One made while Wine had
# no 32-bit part (no 32-bit system DLLs) starts no program once wine32 is
# installed, and one of the other architecture is not the one its tests need:
# prepare_prefix makes both anew; a whole one of the right architecture,
# 64-bit or 32-bit, it keeps as it is. A player's prefix is judged by the
# drive its dosdevices/c: points to. Wine itself is stubbed: only the
# decision is tested.
#   stale_prefix_made_anew.sh PATH/TO/scripts/lib/common.sh
set -uo pipefail
common="$1"
. "$(dirname "$0")/scratch.sh"

# Every Wine command notes how it was called; wineboot -i makes a prefix.
mkdir "$scratch/bin"
for command in wine wineserver; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/ran"\n' "$command" "$scratch" >"$scratch/bin/$command"
done
cat >"$scratch/bin/wineboot" <<STUB
#!/bin/sh
echo "wineboot \$* WINEARCH=\$WINEARCH" >>"$scratch/ran"
[ "\$1" = -i ] && printf 'WINE REGISTRY Version 2\n#arch=%s\n' "\$WINEARCH" >"\$WINEPREFIX/system.reg"
exit 0
STUB
chmod +x "$scratch/bin/"*

# make_prefix NAME ARCH SYSTEM_DLL_FOLDER...: a prefix as Wine leaves it, with
# kernel32.dll in the folders given, and a file of its own to tell it by.
make_prefix() {
    local prefix="$scratch/$1" folder
    mkdir -p "$prefix/drive_c/windows"
    printf 'WINE REGISTRY Version 2\n#arch=%s\n' "$2" >"$prefix/system.reg"
    for folder in "${@:3}"; do
        mkdir -p "$prefix/drive_c/windows/$folder"
        : >"$prefix/drive_c/windows/$folder/kernel32.dll"
    done
    : >"$prefix/kept"
}

# prepare NAME [ARCH]: prepare_prefix as the scripts call it, in a shell of
# its own, with Wine run as this user even when it is root.
prepare() {
    rm -f "$scratch/ran"
    PATH="$scratch/bin:$PATH" HOME="$scratch" timeout 30 bash -c \
        '. "$1"; use_wine_user() { WINE_AS=(); }; prepare_prefix "$2" "$3"' \
        prepare "$common" "$scratch/$1" "${2:-win64}" >/dev/null 2>&1 || fail "prepare_prefix $1 failed"
}

make_prefix stale win64 system32
prepare stale
[ -e "$scratch/stale/kept" ] && fail "a 64-bit prefix without 32-bit system DLLs was kept"
grep -q "wineboot -i WINEARCH=win64" "$scratch/ran" 2>/dev/null || fail "the stale prefix was not made anew as 64-bit"

make_prefix whole win64 system32 syswow64
prepare whole
[ -e "$scratch/whole/kept" ] || fail "a whole 64-bit prefix was made anew"
if grep -q "wineboot -i" "$scratch/ran" 2>/dev/null; then fail "a whole 64-bit prefix was made again"; fi

make_prefix old32 win32 system32
prepare old32 win32
[ -e "$scratch/old32/kept" ] || fail "a whole 32-bit prefix was made anew"

prepare fresh32 win32
grep -q "wineboot -i WINEARCH=win32" "$scratch/ran" 2>/dev/null || fail "a missing 32-bit prefix was not made"

make_prefix wrong64 win64 system32 syswow64
prepare wrong64 win32
[ -e "$scratch/wrong64/kept" ] && fail "a 64-bit prefix was kept where a 32-bit one is needed"
grep -q "wineboot -i WINEARCH=win32" "$scratch/ran" 2>/dev/null || fail "the 64-bit prefix was not made anew as 32-bit"

# A player's prefix whose drive C: lies elsewhere, whole there.
mkdir -p "$scratch/moved/dosdevices" "$scratch/elsewhere/windows/syswow64"
printf 'WINE REGISTRY Version 2\n#arch=win64\n' >"$scratch/moved/system.reg"
: >"$scratch/elsewhere/windows/syswow64/kernel32.dll"
ln -s ../../elsewhere "$scratch/moved/dosdevices/c:"
bash -c '. "$1"; prefix_starts_programs "$2"' check "$common" "$scratch/moved" ||
    fail "a whole prefix whose C: lies outside drive_c was judged stale"
rm "$scratch/elsewhere/windows/syswow64/kernel32.dll"
if bash -c '. "$1"; prefix_starts_programs "$2"' check "$common" "$scratch/moved"; then
    fail "a prefix whose C: lacks the 32-bit system DLLs was judged whole"
fi

[ "$failures" -eq 0 ] || exit 1
echo "stale prefixes made anew, whole ones kept"
