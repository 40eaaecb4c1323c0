# Shared by scripts/test, scripts/lint, scripts/run and scripts/bench: packages, display,
# Wine prefix. Everything a fresh Debian machine lacks is installed here.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
STARTED_XVFB_PID=""
STARTED_WINESERVER_PIDS=()

log() { printf '== %s\n' "$*" >&2; }

# as_root CMD...: runs a command as root, through sudo when the scripts are not root.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# ensure_packages PKG... : installs the Debian packages that are not installed yet.
# A package of the i386 architecture (Wine's 32-bit part) needs that
# architecture added to dpkg first.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
        log "adding the i386 architecture to dpkg, for Wine's 32-bit part"
        as_root dpkg --add-architecture i386
    fi
    log "installing: ${missing[*]}"
    # A mirror in the middle of a sync fails the refresh of one list; the
    # install below then works from the lists apt has, and fails on its own
    # when a package cannot be had.
    as_root apt-get update -qq || log "apt-get update failed; installing from the package lists apt has"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The program is 32-bit x86, like the game: Debian's i686 cross compiler and
# its static zlib.
BUILD_PACKAGES=(cmake g++ clang libclang-rt-14-dev googletest libbenchmark-dev python3 zlib1g-dev
                g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 libz-mingw-w64-dev)
# scripts/lint: the formatter and the analyser, Debian's LLVM 14 like clang.
LINT_PACKAGES=(clang-format clang-tidy)
# Wine with both its parts: wine64 makes the 64-bit prefixes, wine32 runs the
# 32-bit programs in them and in 32-bit prefixes, and Direct3D 9 there needs
# the 32-bit OpenGL libraries and drivers, without which the graphics check
# fails. The fonts every caption needs, with use_windows_like_fonts below:
# docs/wine-fonts.md says why these.
WINE_PACKAGES=(wine wine64 wine32:i386 libgl1:i386 libgl1-mesa-dri:i386 fonts-liberation fonts-croscore)

# start_display: when no display is set, starts Xvfb on a free number and waits until it answers.
start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    ensure_packages xvfb
    local n=90
    while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
    Xvfb ":${n}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    STARTED_XVFB_PID=$!
    export DISPLAY=":${n}"
    for _ in $(seq 1 100); do
        [ -S "/tmp/.X11-unix/X${n}" ] && return 0
        kill -0 "$STARTED_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    log "Xvfb did not start on :${n}"
    return 1
}

# Players never run the game as root, and root ignores read-only files. When
# the scripts run as root, Wine runs as this ordinary user instead.
WINE_USER=kervane-wine
WINE_AS=()
use_wine_user() {
    [ "$(id -u)" -ne 0 ] && return 0
    id "$WINE_USER" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$WINE_USER"
    WINE_AS=(runuser -u "$WINE_USER" -- env "HOME=$(getent passwd "$WINE_USER" | cut -d: -f6)" "USER=$WINE_USER")
}

# as_wine_user CMD...: runs a command as the user Wine runs as.
as_wine_user() {
    "${WINE_AS[@]}" "$@"
}

# prefix_starts_programs PREFIX: whether a prefix made earlier can still
# start programs. A 64-bit prefix made while Wine had no 32-bit part lacks the
# 32-bit system DLLs, and once wine32 is installed Wine starts no program in
# it, 64-bit ones included ("could not load kernel32.dll"); wineboot -u does
# not mend it. Its Windows folder is on the drive that dosdevices/c: points
# to, drive_c unless the player moved it. A prefix not made yet passes.
prefix_starts_programs() {
    local drive="$1/drive_c"
    [ -e "$1/dosdevices/c:" ] && drive="$(readlink -f "$1/dosdevices/c:")"
    local windows="$drive/windows"
    [ -f "$1/system.reg" ] || return 0
    if grep -q '^#arch=win64' "$1/system.reg"; then
        [ -f "$windows/syswow64/kernel32.dll" ]
    else
        [ -f "$windows/system32/kernel32.dll" ]
    fi
}

# prepare_prefix PREFIX [win32|win64]: a prefix of the scripts' own, under
# build/: made once (parallel first starts break it), and made anew when it
# cannot start programs; Windows-like fonts; one wineserver kept alive for the
# run. 64-bit unless win32 is asked for.
STARTED_WINE_PREFIXES=()
prepare_prefix() {
    local prefix="$1" arch="${2:-win64}"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    use_wine_user
    if ! prefix_starts_programs "$prefix"; then
        log "making $prefix anew: it was made before Wine's 32-bit part was installed, and no program starts in it"
        rm -rf "$prefix"
    elif [ -f "$prefix/system.reg" ] && ! grep -q "^#arch=$arch\$" "$prefix/system.reg"; then
        log "making $prefix anew: it is not the $arch prefix the tests need"
        rm -rf "$prefix"
    fi
    mkdir -p "$prefix"
    [ ${#WINE_AS[@]} -gt 0 ] && chown "$WINE_USER" "$prefix"
    if [ ! -f "$prefix/system.reg" ]; then
        log "creating Wine prefix $prefix ($arch)"
        as_wine_user env WINEPREFIX="$prefix" WINEARCH="$arch" wineboot -i >/dev/null 2>&1 || true
        as_wine_user env WINEPREFIX="$prefix" wineserver -w
    fi
    use_windows_like_fonts "$prefix"
    as_wine_user env WINEPREFIX="$prefix" wineserver -f -p >/dev/null 2>&1 &
    STARTED_WINESERVER_PIDS+=($!)
    STARTED_WINE_PREFIXES+=("$prefix")
    # Wine's background services start with the first program and live as long
    # as the server. Started here, they hold no test runner's output open.
    as_wine_user env WINEPREFIX="$prefix" wineboot </dev/null >/dev/null 2>&1 || true
}

# start_wine PREFIX: prepares a 64-bit prefix and makes it the one that wine
# runs in from here on.
start_wine() {
    prepare_prefix "$1"
    export WINEPREFIX="$1"
}

# use_windows_like_fonts PREFIX: names Arimo for the standard dialog font
# ("MS Shell Dlg") in the prefix, once: the one registry value that, with the
# fonts of WINE_PACKAGES, makes every caption whole (docs/wine-fonts.md).
use_windows_like_fonts() {
    local marker="$1/.kervane-fonts-arimo"
    [ -f "$marker" ] && return 0
    as_wine_user env WINEPREFIX="$1" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'MS Shell Dlg' /t REG_SZ /d 'Arimo' /f >/dev/null 2>&1
    as_wine_user env WINEPREFIX="$1" wineserver -w
    as_wine_user touch "$marker"
}

# mount_small_disk FOLDER SIZE: mounts there a file system with room for SIZE
# (8k, 12k: whole pages of 4 KiB), where a write meets a disk that fills up
# part-way through it. Unmounted by cleanup.
MOUNTED_SMALL_DISKS=()
mount_small_disk() {
    mkdir -p "$1"
    mountpoint -q "$1" || as_root mount -t tmpfs -o "size=$2,mode=0777" kervane-small-disk "$1"
    MOUNTED_SMALL_DISKS+=("$1")
}

# cleanup: ends the Wine servers and Xvfb that this script started and unmounts
# its small disks, and nothing else.
cleanup() {
    local disk prefix pid
    for disk in "${MOUNTED_SMALL_DISKS[@]}"; do as_root umount "$disk" || true; done
    for prefix in "${STARTED_WINE_PREFIXES[@]}"; do
        as_wine_user env WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    done
    for pid in "${STARTED_WINESERVER_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ -n "$STARTED_XVFB_PID" ]; then
        kill "$STARTED_XVFB_PID" 2>/dev/null || true
        wait "$STARTED_XVFB_PID" 2>/dev/null || true
    fi
}

# configure_tree PRESET [CMAKE ARGS...]: configures one tree. CI treats warnings as errors.
configure_tree() {
    local werror=OFF
    [ "${CI:-}" = "true" ] && werror=ON
    cmake --preset "$@" -DKERVANE_WERROR="$werror" >/dev/null
}

# build_tree PRESET: configures and builds one tree.
build_tree() {
    configure_tree "$1"
    cmake --build --preset "$1"
}

# install_demo FOLDER: lays out the demo game in FOLDER and stores its
# settings in the current Wine prefix, each once; later runs keep what the
# editor changed. A prefix made anew gets the settings again. Needs
# start_wine first.
install_demo() {
    local folder="$1" marker="$WINEPREFIX/.kervane-demo-settings"
    if [ ! -f "$folder/.installed" ]; then
        mkdir -p "$folder"
        cp -r "$ROOT/demo/Game/." "$folder/"
        rm -f "$folder/Dict/.keep"
        if [ ${#WINE_AS[@]} -gt 0 ]; then chown -R "$WINE_USER" "$folder"; fi
        touch "$folder/.installed"
    fi
    [ -f "$marker" ] && return 0

    # The settings point "Root Directory" at the folder, as Windows sees it.
    local root="Z:${folder//\//\\\\}" line reg_file="$folder/demo-settings.reg"
    while IFS= read -r line; do
        printf '%s\r\n' "${line//@GAME_ROOT@/"$root"}"
    done < "$ROOT/demo/settings.reg.in" > "$reg_file"
    as_wine_user wine regedit /S "Z:${reg_file//\//\\}"
    rm -f "$reg_file"
    as_wine_user touch "$marker"
}
