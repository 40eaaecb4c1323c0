// The playlist editor on the real program: which songs it lists and ticks,
// what OK writes to "Songs\Playlist.txt", and that nothing else happens while
// it is open.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "program_driver.h"
#include "window_layouts.h"
#include "wine_fixtures.h"

namespace {

const std::string kGame = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";
const std::wstring kTitle = L"Vaelmoor: Kervane settings";

class PlaylistEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree(kGame);
        CreateDirectoryA("Dict", nullptr);
        CreateDirectoryA("Game", nullptr);
        CreateDirectoryA("Game\\Songs", nullptr);
        CreateDirectoryA("Game\\Songs\\x.mp3", nullptr);  // a folder, not a song
        for (const char* song : {"Dawn.mp3", "March.MP3", "Road.mp3"}) WriteWholeFile(Songs() + song, "ID3");
        WriteWholeFile(Songs() + "notes.txt", "not a song");
        SetRawValue(kGame + "\\General", "Root Directory", REG_SZ, folder.path() + "\\Game" + '\0');
    }
    void TearDown() override { DeleteKeyTree(kGame); }

    std::string SongsFolder() const { return folder.path() + "\\Game\\Songs"; }
    std::string Songs() const { return SongsFolder() + "\\"; }
    std::string Playlist() const { return Songs() + "Playlist.txt"; }

    // Opens the playlist window by ticking "Use playlist" in a running program.
    HWND OpenPlaylist(ProgramRun& program, HWND& mainWindow)
    {
        mainWindow = program.WaitForWindow(kTitle);
        return mainWindow ? OpenPlaylistWindow(program, mainWindow) : nullptr;
    }

    // The ticked songs as the window shows them.
    static std::vector<std::wstring> Ticked(HWND list)
    {
        std::vector<std::wstring> ticked;
        const std::vector<std::wstring> items = ListViewItems(list);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (IsItemTicked(list, static_cast<int>(i))) ticked.push_back(items[i]);
        return ticked;
    }

    static std::string Narrow(const std::vector<std::wstring>& songs)
    {
        std::string text;
        for (const std::wstring& song : songs) text += std::string(song.begin(), song.end()) + "\r\n";
        return text;
    }

    ScratchFolder folder;
};

TEST_F(PlaylistEndToEnd, ListsTheSongsAndTicksThePlaylist)
{
    // LF and CR line ends, a line in other letter case, one with a trailing
    // blank, a song that is gone, and the last line without an end.
    WriteWholeFile(Playlist(), "Road.mp3\ndawn.mp3\rMarch.MP3 \r\nGone.mp3\r\nMarch.MP3");
    ProgramRun program(folder.path());
    HWND mainWindow = nullptr;
    HWND playlist = OpenPlaylist(program, mainWindow);
    ASSERT_NE(playlist, nullptr);

    HWND list = GetDlgItem(playlist, 63);
    std::vector<std::wstring> songs = ListViewItems(list);
    std::sort(songs.begin(), songs.end());
    EXPECT_EQ(songs, (std::vector<std::wstring>{L"Dawn.mp3", L"March.MP3", L"Road.mp3"}));
    std::vector<std::wstring> ticked = Ticked(list);
    std::sort(ticked.begin(), ticked.end());
    EXPECT_EQ(ticked, (std::vector<std::wstring>{L"March.MP3", L"Road.mp3"}));

    EXPECT_EQ(ControlText(GetDlgItem(playlist, 64)), L"Available songs:");
    EXPECT_EQ(ControlText(GetDlgItem(playlist, 61)), L"OK");
    EXPECT_EQ(ControlText(GetDlgItem(playlist, 62)), L"Cancel");
    EXPECT_FALSE(GetWindowLongW(playlist, GWL_STYLE) & WS_SYSMENU) << "no close box";
    ExpectPlacedAtDpi(playlist, kPlaylistLayout, 232, 246, 96);

    // OK rewrites the file from the ticked items, once each, in list order.
    const std::vector<std::wstring> order = ListViewItems(list);
    ASSERT_TRUE(PressAndWaitForClose(playlist, 61));
    std::vector<std::wstring> expected;
    for (const std::wstring& song : order)
        if (song != L"Dawn.mp3") expected.push_back(song);
    EXPECT_EQ(FileBytes(Playlist()), Narrow(expected));

    Click(GetDlgItem(mainWindow, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST_F(PlaylistEndToEnd, ATickLoadedFromTheRegistryOpensNothing)
{
    SetDword(kGame + "\\Sound", "Custom Play List Enabled", 1);
    ProgramRun program(folder.path());
    HWND mainWindow = program.WaitForWindow(kTitle);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(IsTicked(GetDlgItem(mainWindow, 19)));
    EXPECT_EQ(program.WaitForWindow(L"Playlist:", 1000), nullptr);
    Click(GetDlgItem(mainWindow, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST_F(PlaylistEndToEnd, TabMovesBetweenTheListAndTheButtons)
{
    ProgramRun program(folder.path());
    HWND mainWindow = nullptr;
    HWND playlist = OpenPlaylist(program, mainWindow);
    ASSERT_NE(playlist, nullptr);
    auto focus = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(playlist, nullptr), &info);
        return info.hwndFocus;
    };
    EXPECT_TRUE(WaitUntil([&] { return focus() == GetDlgItem(playlist, 63); }));
    for (int next : {61, 62, 63}) {
        PostMessageW(focus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_TRUE(WaitUntil([&] { return focus() == GetDlgItem(playlist, next); })) << next;
    }
    ASSERT_TRUE(PressAndWaitForClose(playlist, 62));
    Click(GetDlgItem(mainWindow, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST_F(PlaylistEndToEnd, TickingAndOkWritesExactlyTheTickedSongs)
{
    ProgramRun program(folder.path());  // no playlist yet
    HWND mainWindow = nullptr;
    HWND playlist = OpenPlaylist(program, mainWindow);
    ASSERT_NE(playlist, nullptr);
    HWND list = GetDlgItem(playlist, 63);
    EXPECT_TRUE(Ticked(list).empty());
    const std::vector<std::wstring> order = ListViewItems(list);
    ASSERT_EQ(order.size(), 3u);
    TickItem(list, 2, true);
    TickItem(list, 0, true);
    ASSERT_TRUE(PressAndWaitForClose(playlist, 61));
    EXPECT_EQ(FileBytes(Playlist()), Narrow({order[0], order[2]}));

    // Again, untick everything: an empty file.
    Click(GetDlgItem(mainWindow, 19));  // unticked: nothing opens
    playlist = OpenPlaylistWindow(program, mainWindow);
    ASSERT_NE(playlist, nullptr);
    list = GetDlgItem(playlist, 63);
    for (int i = 0; i < 3; ++i) TickItem(list, i, false);
    ASSERT_TRUE(PressAndWaitForClose(playlist, 61));
    EXPECT_EQ(FileBytes(Playlist()), "");

    Click(GetDlgItem(mainWindow, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST_F(PlaylistEndToEnd, ThePlayersLookAlikeFilesSurviveASave)
{
    WriteWholeFile(Playlist(), "Road.mp3\r\n");
    for (const char* name : {"Playlist.txt.new", "Playlist.txt.new1", "Playlist.txt.bak", "Playlist.tmp"})
        WriteWholeFile(Songs() + name, std::string("kept: ") + name);
    std::map<std::string, std::string> expected = FolderTree(SongsFolder());
    ProgramRun program(folder.path());
    HWND mainWindow = nullptr;
    HWND playlist = OpenPlaylist(program, mainWindow);
    ASSERT_NE(playlist, nullptr);
    HWND list = GetDlgItem(playlist, 63);
    const std::vector<std::wstring> order = ListViewItems(list);
    for (int i = 0; i < 3; ++i) TickItem(list, i, true);
    ASSERT_TRUE(PressAndWaitForClose(playlist, 61));
    Click(GetDlgItem(mainWindow, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
    expected["Playlist.txt"] = Narrow(order);
    EXPECT_EQ(FolderTree(SongsFolder()), expected) << "the same names, and only the playlist changed";
}

TEST_F(PlaylistEndToEnd, CancelLeavesTheFileByteForByte)
{
    const std::string original = "Road.mp3\nRoad.mp3\n\nGone.mp3";
    WriteWholeFile(Playlist(), original);
    ProgramRun program(folder.path());
    HWND mainWindow = nullptr;
    HWND playlist = OpenPlaylist(program, mainWindow);
    ASSERT_NE(playlist, nullptr);
    for (int i = 0; i < 3; ++i) TickItem(GetDlgItem(playlist, 63), i, true);
    ASSERT_TRUE(PressAndWaitForClose(playlist, 62));
    Click(GetDlgItem(mainWindow, 104));
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(FileBytes(Playlist()), original);
}

TEST_F(PlaylistEndToEnd, MainWindowIsDeafWhileThePlaylistIsOpen)
{
    ProgramRun program(folder.path());
    HWND mainWindow = nullptr;
    HWND playlist = OpenPlaylist(program, mainWindow);
    ASSERT_NE(playlist, nullptr);
    Click(GetDlgItem(mainWindow, 104));
    Click(GetDlgItem(mainWindow, 105));
    PressCloseBox(mainWindow);
    EXPECT_EQ(program.WaitForExit(1500), -1L) << "OK, Cancel and the close box were lost, not deferred";
}

TEST_F(PlaylistEndToEnd, MainWindowWorksAgainAfterThePlaylistCloses)
{
    ProgramRun program(folder.path());
    HWND mainWindow = nullptr;
    HWND playlist = OpenPlaylist(program, mainWindow);
    ASSERT_NE(playlist, nullptr);
    Click(GetDlgItem(mainWindow, 105));  // lost
    ASSERT_TRUE(PressAndWaitForClose(playlist, 62));
    EXPECT_TRUE(IsWindow(mainWindow));
    Click(GetDlgItem(mainWindow, 104));
    EXPECT_EQ(program.WaitForExit(), 0);
    const auto stored = ReadRawValue(kGame + "\\Sound", "Custom Play List Enabled");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, std::string("\x01\0\0\0", 4));
}

TEST_F(PlaylistEndToEnd, FailedSaveKeepsTheOldPlaylistAndIsLogged)
{
    const std::string original = "Road.mp3\r\n";
    // Two ways a player's playlist cannot be replaced: another program holds it
    // open and shares it with nobody, or the player marked it read-only.
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "held open");
        WriteWholeFile(Playlist(), original);
        WriteWholeFile("Setup.log", "");
        const std::map<std::string, std::string> before = FolderTree(SongsFolder());
        ProgramRun program(folder.path());
        HWND mainWindow = nullptr;
        HWND playlist = OpenPlaylist(program, mainWindow);
        ASSERT_NE(playlist, nullptr);
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (readOnly) {
            ASSERT_TRUE(SetFileAttributesA(Playlist().c_str(), FILE_ATTRIBUTE_READONLY));
        } else {
            holder = CreateFileA(Playlist().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        }
        for (int i = 0; i < 3; ++i) TickItem(GetDlgItem(playlist, 63), i, true);
        const bool closed = PressAndWaitForClose(playlist, 61);
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        ASSERT_TRUE(closed);
        Click(GetDlgItem(mainWindow, 105));
        EXPECT_EQ(program.WaitForExit(), 0);
        EXPECT_EQ(FolderTree(SongsFolder()), before) << "the old playlist, and no leftover";
        const std::vector<std::string> events = LogEvents();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back(), "Can't write playlist file " + Playlist() + "!");
        SetFileAttributesA(Playlist().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(PlaylistEndToEnd, MissingSongsFolderGivesAnEmptyListAndALoggedSave)
{
    RemoveTree(folder.path() + "\\Game\\Songs");
    ProgramRun program(folder.path());
    HWND mainWindow = nullptr;
    HWND playlist = OpenPlaylist(program, mainWindow);
    ASSERT_NE(playlist, nullptr);
    EXPECT_TRUE(ListViewItems(GetDlgItem(playlist, 63)).empty());
    ASSERT_TRUE(PressAndWaitForClose(playlist, 61));
    Click(GetDlgItem(mainWindow, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_FALSE(FileBytes(Playlist()));
    EXPECT_EQ(LogEvents().back(), "Can't write playlist file " + Playlist() + "!");
}

}  // namespace
