#pragma once
// Functions found at run time: in a library the program loads itself (the
// game's d3d9.dll and DINPUT.DLL), or in a system DLL of a Windows newer than
// XP SP3, the oldest the game runs on, whose functions the exe never imports
// so that it starts where they are missing.

#include <windows.h>

// A function's address as the type the caller names; null stays null.
template <class Function>
Function AsFunction(FARPROC address)
{
    // Through the generic function pointer type, which every compiler accepts
    // as a cast between unrelated function types.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

template <class Function>
Function LibraryEntry(HMODULE library, const char* name)
{
    return AsFunction<Function>(GetProcAddress(library, name));
}

// A function of a system DLL the program has loaded (kernel32.dll,
// user32.dll, ...) that older Windows lack; null where this Windows has none.
// Every such look-up goes through here, so that a test can make them all look
// missing, as on Windows XP to 8.1.
FARPROC NewerWindowsAddress(const wchar_t* library, const char* name);

template <class Function>
Function NewerWindowsFunction(const wchar_t* library, const char* name)
{
    return AsFunction<Function>(NewerWindowsAddress(library, name));
}
