// Enter and Esc in both windows of the real program, pressed as a keyboard
// presses them on the control that holds the focus: Esc cancels, Enter is OK
// except on a push button, which it presses; an open drop-down list keeps
// both keys for itself. The registry and "Songs\Playlist.txt" show the result.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "program_driver.h"
#include "wine_fixtures.h"

namespace {

const std::string kGame = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";
const std::wstring kTitle = L"Vaelmoor: Kervane settings";

class DialogKeysEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree(kGame);
        CreateDirectoryA("Dict", nullptr);
    }
    void TearDown() override { DeleteKeyTree(kGame); }
    ScratchFolder folder;
};

struct MainCase {
    const char* what;
    int focus;
    std::vector<WORD> keys;
    bool written;
    int language;  // the "Language" OK writes: the list item the keys chose
};

TEST_F(DialogKeysEndToEnd, MainWindow)
{
    const MainCase cases[] = {
        {"Enter on OK", 104, {VK_RETURN}, true, 0},
        {"Enter on Music", 1, {VK_RETURN}, true, 0},
        {"Enter on Direct Sound", 2, {VK_RETURN}, true, 0},
        {"Enter on an edit field", 51, {VK_RETURN}, true, 0},
        {"Enter on Cancel", 105, {VK_RETURN}, false, 0},
        {"Esc on Direct Sound", 2, {VK_ESCAPE}, false, 0},
        {"Esc on OK", 104, {VK_ESCAPE}, false, 0},
        {"Enter chooses in an open list, then is OK", 34, {VK_F4, VK_DOWN, VK_RETURN, VK_RETURN}, true, 1},
        {"Esc closes an open list, then cancels", 34, {VK_F4, VK_DOWN, VK_ESCAPE, VK_ESCAPE}, false, 0},
    };
    for (const MainCase& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteKeyTree(kGame);
        ProgramRun program(folder.path());
        HWND window = program.WaitForWindow(kTitle);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(TabTo(window, c.focus));
        for (WORD key : c.keys) PressKey(window, key);
        ASSERT_EQ(program.WaitForExit(), 0);
        EXPECT_EQ(KeyExists(kGame), c.written);
        if (!c.written) continue;
        // Neither key ticked or reached "Music" (1) or "Direct Sound" (2): both stay as loaded.
        EXPECT_EQ(StoredDword(kGame + "\\Sound", "Music Enabled"), std::optional<std::uint32_t>(0));
        EXPECT_EQ(StoredDword(kGame + "\\Sound", "Use DirectSound"), std::optional<std::uint32_t>(0));
        EXPECT_EQ(StoredDword(kGame + "\\General", "Language"), std::optional<std::uint32_t>(c.language));
    }
}

struct PlaylistCase {
    const char* what;
    int focus;
    WORD key;
    bool saved;
};

TEST_F(DialogKeysEndToEnd, PlaylistWindow)
{
    CreateDirectoryA("Game", nullptr);
    CreateDirectoryA("Game\\Songs", nullptr);
    const std::string songs = folder.path() + "\\Game\\Songs\\";
    for (const char* song : {"Dawn.mp3", "Road.mp3"}) WriteWholeFile(songs + song, "ID3");
    SetRawValue(kGame + "\\General", "Root Directory", REG_SZ, folder.path() + "\\Game" + '\0');
    // LF line ends: a save rewrites them as CR LF, so the file tells whether it was saved.
    const std::string before = "Road.mp3\n";
    const PlaylistCase cases[] = {
        {"Enter on the list", 63, VK_RETURN, true}, {"Enter on OK", 61, VK_RETURN, true},
        {"Enter on Cancel", 62, VK_RETURN, false},  {"Esc on the list", 63, VK_ESCAPE, false},
        {"Esc on OK", 61, VK_ESCAPE, false},
    };
    for (const PlaylistCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteWholeFile(songs + "Playlist.txt", before);
        ProgramRun program(folder.path());
        HWND window = program.WaitForWindow(kTitle);
        ASSERT_NE(window, nullptr);
        HWND playlist = OpenPlaylistWindow(program, window);
        ASSERT_NE(playlist, nullptr);
        ASSERT_TRUE(TabTo(playlist, c.focus));
        PressKey(playlist, c.key);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(playlist); })) << "the key closes the playlist window";
        EXPECT_EQ(FileBytes(songs + "Playlist.txt"), c.saved ? "Road.mp3\r\n" : before);
        EXPECT_TRUE(IsWindow(window)) << "the main window stays";
        Click(GetDlgItem(window, 105));
        EXPECT_EQ(program.WaitForExit(), 0);
    }
}

}  // namespace
