// The editor where many Linux players keep an old 32-bit game: a Wine prefix
// made with WINEARCH=win32, which has no 64-bit part at all. There it starts,
// rebuilds its dictionary, shows its window, and OK writes what was changed.
// scripts/test runs this suite in its 32-bit prefix.

#include "e2e_fixture.h"

namespace {

class Win32Prefix : public EndToEnd {};

TEST_F(Win32Prefix, StartsShowsItsWindowAndOkWritesAChangedSetting)
{
    // A 32-bit system has no folder of 32-bit DLLs beside a 64-bit one: in a
    // 64-bit prefix this suite would prove nothing.
    char wow64Folder[MAX_PATH] = "";
    ASSERT_EQ(GetSystemWow64DirectoryA(wow64Folder, MAX_PATH), 0u) << "not a 32-bit prefix: it has " << wow64Folder;

    ExpectFirstStartWorks();
}

}  // namespace
