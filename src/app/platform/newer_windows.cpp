// The one place that looks up the functions of newer Windows. Kept in a file
// of its own: a test build of the program links another definition instead.

#include "app/platform/library_entry.h"

FARPROC NewerWindowsAddress(const wchar_t* library, const char* name)
{
    const HMODULE loaded = GetModuleHandleW(library);
    return loaded ? GetProcAddress(loaded, name) : nullptr;
}
