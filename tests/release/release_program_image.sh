#!/bin/sh
# The exe players download, as binutils' objdump reads its header: a 32-bit
# x86 image, like the game, so it starts on 32-bit Windows and in 32-bit Wine
# prefixes and loads the game folder's own d3d9.dll; and it imports Windows'
# own DLLs alone, no runtime of the compiler's beside it.
#   release_program_image.sh OBJDUMP KervaneSettings.exe
header="$("$1" -p "$2")" || exit 1
status=0
echo "$header" | grep -q 'file format pei-i386$' || { echo "FAIL: not an i386 image"; status=1; }
echo "$header" | grep -q '^Magic[[:space:]]*010b[[:space:]]*(PE32)$' || { echo "FAIL: not PE32"; status=1; }
imports="$(echo "$header" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')"
expected="advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll "
[ "$imports" = "$expected" ] || { echo "FAIL: imports $imports, not $expected"; status=1; }
[ $status -eq 0 ] && echo "$2: PE32 for i386, importing $imports"
exit $status
