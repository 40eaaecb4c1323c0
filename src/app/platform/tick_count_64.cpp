// Windows XP has no GetTickCount64, and its loader refuses an exe that
// imports a function its DLLs lack. The program never calls it, but the
// thread library that the C++ runtime links in does, for its timed waits, and
// imports it. This file fills that import's slot instead: the linker takes a
// definition of the slot from here before it looks in kernel32's import
// library, so the exe imports nothing newer than XP. The first call looks the
// function up; where Windows lacks it, a count from GetTickCount takes its
// place.

#include <windows.h>

#include "app/platform/library_entry.h"

using TickCount64Function = ULONGLONG(WINAPI*)();

// The slot that callers of GetTickCount64 call through, by the name the
// import library would give it on 32-bit x86.
extern "C" TickCount64Function GetTickCount64Slot __asm__("__imp__GetTickCount64@0");

namespace {

// GetTickCount wraps to 0 every 49.7 days; each wrap seen adds 2^32. The
// program's one thread is the only caller.
ULONGLONG WINAPI TickCount64FromTickCount()
{
    static DWORD last = 0;
    static ULONGLONG wraps = 0;
    const DWORD now = GetTickCount();
    if (now < last) wraps += 0x100000000ULL;
    last = now;
    return wraps + now;
}

ULONGLONG WINAPI FirstTickCount64()
{
    const auto found = NewerWindowsFunction<TickCount64Function>(L"kernel32.dll", "GetTickCount64");
    GetTickCount64Slot = found ? found : TickCount64FromTickCount;
    return GetTickCount64Slot();
}

}  // namespace

TickCount64Function GetTickCount64Slot = FirstTickCount64;
