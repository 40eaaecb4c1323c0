#pragma once
// A function of a library loaded at run time, as the type the caller names.

#include <windows.h>

template <class Function>
Function LibraryEntry(HMODULE library, const char* name)
{
    // Through the generic function pointer type, which every compiler accepts
    // as a cast between unrelated function types.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}
