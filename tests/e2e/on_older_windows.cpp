// Windows XP to 8.1, as far as the editor can tell: none of the functions of
// newer Windows that it looks up at run time is there.

#include "app/platform/library_entry.h"

FARPROC NewerWindowsAddress(const wchar_t*, const char*)
{
    return nullptr;
}
