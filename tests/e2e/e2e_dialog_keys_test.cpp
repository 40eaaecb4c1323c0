// Enter and Esc in both windows of the real program, pressed as a keyboard
// presses them on the control that holds the focus: Esc cancels, Enter is OK
// except on a push button, which it presses; an open drop-down list keeps
// both keys for itself. The registry and "Songs\Playlist.txt" show the result.

#include <optional>
#include <vector>

#include "e2e_fixture.h"

namespace {

class DialogKeysEndToEnd : public EndToEnd {};

struct MainCase {
    const char* what;
    ControlId focus;
    std::vector<WORD> keys;
    bool written;
    int language;  // the "Language" OK writes: the list item the keys chose
};

TEST_F(DialogKeysEndToEnd, MainWindow)
{
    const MainCase cases[] = {
        {"Enter on OK", kOk, {VK_RETURN}, true, 0},
        {"Enter on Music", kMusic, {VK_RETURN}, true, 0},
        {"Enter on Direct Sound", kDirectSound, {VK_RETURN}, true, 0},
        {"Enter on an edit field", kEmailField, {VK_RETURN}, true, 0},
        {"Enter on Cancel", kCancel, {VK_RETURN}, false, 0},
        {"Esc on Direct Sound", kDirectSound, {VK_ESCAPE}, false, 0},
        {"Esc on OK", kOk, {VK_ESCAPE}, false, 0},
        {"Enter chooses in an open list, then is OK", kLanguageBox, {VK_F4, VK_DOWN, VK_RETURN, VK_RETURN}, true, 1},
        {"Esc closes an open list, then cancels", kLanguageBox, {VK_F4, VK_DOWN, VK_ESCAPE, VK_ESCAPE}, false, 0},
    };
    for (const MainCase& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteKeyTree(kSettingsKey);
        ProgramRun program(folder.path());
        HWND window = program.WaitForWindow(kMainWindowTitle);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(TabTo(window, c.focus));
        for (WORD key : c.keys) PressKey(window, key);
        ASSERT_EQ(program.WaitForExit(), 0);
        EXPECT_EQ(KeyExists(kSettingsKey), c.written);
        if (!c.written) continue;
        // Neither key ticked "Music" or "Direct Sound", whose numbers are the dialog manager's IDOK and
        // IDCANCEL: both stay as loaded.
        EXPECT_EQ(StoredDword(kSettingsKey + "\\Sound", "Music Enabled"), std::optional<std::uint32_t>(0));
        EXPECT_EQ(StoredDword(kSettingsKey + "\\Sound", "Use DirectSound"), std::optional<std::uint32_t>(0));
        EXPECT_EQ(StoredDword(kSettingsKey + "\\General", "Language"), std::optional<std::uint32_t>(c.language));
    }
}

struct PlaylistCase {
    const char* what;
    ControlId focus;
    WORD key;
    bool saved;
};

TEST_F(DialogKeysEndToEnd, PlaylistWindow)
{
    MakeGameFolders({"Songs"});
    const std::string songs = GameFolder() + "\\Songs\\";
    for (const char* song : {"Dawn.mp3", "Road.mp3"}) WriteWholeFile(songs + song, "ID3");
    SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());
    // LF line ends: a save rewrites them as CR LF, so the file tells whether it was saved.
    const std::string before = "Road.mp3\n";
    const PlaylistCase cases[] = {
        {"Enter on the list", kSongList, VK_RETURN, true},      {"Enter on OK", kPlaylistOk, VK_RETURN, true},
        {"Enter on Cancel", kPlaylistCancel, VK_RETURN, false}, {"Esc on the list", kSongList, VK_ESCAPE, false},
        {"Esc on OK", kPlaylistOk, VK_ESCAPE, false},
    };
    for (const PlaylistCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteWholeFile(songs + "Playlist.txt", before);
        Run(
            [&](HWND window) {
                HWND playlist = OpenPlaylist(window);
                ASSERT_NE(playlist, nullptr);
                ASSERT_TRUE(TabTo(playlist, c.focus));
                PressKey(playlist, c.key);
                EXPECT_TRUE(WaitUntil([&] { return !IsWindow(playlist); })) << "the key closes the playlist window";
                EXPECT_EQ(FileBytes(songs + "Playlist.txt"), c.saved ? "Road.mp3\r\n" : before);
                EXPECT_TRUE(IsWindow(window)) << "the main window stays";
            },
            kCancel);
    }
}

// A keyboard player ticks "Use playlist" with the space bar and closes the
// playlist window with Esc: the focus is back on "Use playlist", so the next
// space bar does not press OK.
TEST_F(DialogKeysEndToEnd, FocusComesBackFromThePlaylistWindow)
{
    Run(
        [&](HWND window) {
            ASSERT_TRUE(TabTo(window, kUsePlaylist));
            PressKey(window, VK_SPACE);
            HWND playlist = WaitForWindow(kPlaylistWindowTitle);
            ASSERT_NE(playlist, nullptr);
            PressKey(playlist, VK_ESCAPE);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(playlist); }));
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == GetDlgItem(window, kUsePlaylist); }));
        },
        kCancel);
    EXPECT_FALSE(KeyExists(kSettingsKey)) << "nothing was applied";
}

}  // namespace
