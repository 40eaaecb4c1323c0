# Cross-build for 32-bit x86 Windows with Debian's mingw-w64: the game is a
# 32-bit program, and so is its editor, which runs wherever the game runs
# (32-bit Windows and 32-bit Wine prefixes included) and loads the same
# d3d9.dll and dinput.dll from the game's folder. The posix variants are
# needed: the win32 ones lack std::mutex, which GoogleTest uses.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No SSE flags: GCC's i686 default (the Pentium Pro, floating point on the
# x87), like Debian's prebuilt i686 libraries, so the exe runs on every
# processor the game ran on, the Pentium II, Athlon and Athlon XP included.
# The one hot loop, the banner's averaging, is integer arithmetic.

# One self-contained file: libstdc++, libgcc and winpthread linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine; the scripts set WINEPREFIX and the display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine)
