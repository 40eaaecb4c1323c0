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

    const std::string sound = kSettingsKey + "\\Sound";
    SetDword(sound, "Music Enabled", 0);
    SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());
    MakeGameFolders({"User\\Resources\\Skirmish"});
    Run([](HWND window) {
        EXPECT_EQ(ControlText(window), L"Vaelmoor: Kervane settings");
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, kOk)));
        EXPECT_EQ(ComboItems(GetDlgItem(window, kRulesBox)), std::vector<std::wstring>{L"Skirmish"});
        const HWND music = GetDlgItem(window, kMusic);
        EXPECT_FALSE(IsTicked(music));
        Click(music);
        EXPECT_TRUE(WaitUntil([&] { return IsTicked(music); }));
    });

    EXPECT_EQ(StoredDword(sound, "Music Enabled"), 1u);
    EXPECT_EQ(StoredDword(sound, "Sound Effects Enabled"), 1u) << "a missing value loads checked";
    const auto reference = FileBytes(HostPath(KERVANE_REFERENCE_DICTIONARY));
    ASSERT_TRUE(reference);
    EXPECT_TRUE(FileBytes("Dict\\Setup.ini") == reference) << "the exact 1,232-line dictionary";
    EXPECT_EQ(LogEvents(),
              (std::vector<std::string>{"INI-file not found! Trying to rebuild it!", "INI-file rebuilded!"}));
}

}  // namespace
