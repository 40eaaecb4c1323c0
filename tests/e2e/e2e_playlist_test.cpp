// The playlist editor on the real program: which songs it lists and ticks,
// what OK writes to "Songs\Playlist.txt", and that nothing else happens while
// it is open.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "e2e_fixture.h"

namespace {

class PlaylistEndToEnd : public EndToEnd {
protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        MakeGameFolders({"Songs\\x.mp3"});  // a folder, not a song
        for (const char* song : {"Dawn.mp3", "March.MP3", "Road.mp3"}) WriteWholeFile(Songs() + song, "ID3");
        WriteWholeFile(Songs() + "notes.txt", "not a song");
        SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());
    }

    std::string SongsFolder() const { return GameFolder() + "\\Songs"; }
    std::string Songs() const { return SongsFolder() + "\\"; }
    std::string Playlist() const { return Songs() + "Playlist.txt"; }

    // The ticked songs as the window shows them.
    static std::vector<std::wstring> Ticked(HWND list)
    {
        std::vector<std::wstring> ticked;
        const std::vector<std::wstring> items = ListViewItems(list);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (IsItemTicked(list, static_cast<int>(i))) ticked.push_back(items[i]);
        return ticked;
    }
};

TEST_F(PlaylistEndToEnd, ListsTheSongsAndTicksThePlaylist)
{
    // LF and CR line ends, a line in other letter case, one with a trailing
    // blank, a song that is gone, and the last line without an end.
    WriteWholeFile(Playlist(), "Road.mp3\ndawn.mp3\rMarch.MP3 \r\nGone.mp3\r\nMarch.MP3");
    Run(
        [&](HWND mainWindow) {
            HWND playlist = OpenPlaylist(mainWindow);
            ASSERT_NE(playlist, nullptr);

            HWND list = GetDlgItem(playlist, kSongList);
            std::vector<std::wstring> songs = ListViewItems(list);
            std::sort(songs.begin(), songs.end());
            EXPECT_EQ(songs, (std::vector<std::wstring>{L"Dawn.mp3", L"March.MP3", L"Road.mp3"}));
            std::vector<std::wstring> ticked = Ticked(list);
            std::sort(ticked.begin(), ticked.end());
            EXPECT_EQ(ticked, (std::vector<std::wstring>{L"March.MP3", L"Road.mp3"}));

            EXPECT_EQ(ControlText(GetDlgItem(playlist, kSongsLabel)), L"Available songs:");
            EXPECT_EQ(ControlText(GetDlgItem(playlist, kPlaylistOk)), L"OK");
            EXPECT_EQ(ControlText(GetDlgItem(playlist, kPlaylistCancel)), L"Cancel");
            EXPECT_FALSE(GetWindowLongW(playlist, GWL_STYLE) & WS_SYSMENU) << "no close box";
            ExpectPlacedAtDpi(playlist, kPlaylistLayout, 232, 246, 96);

            // OK rewrites the file from the ticked items, once each, in list order.
            const std::vector<std::wstring> order = ListViewItems(list);
            ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistOk));
            std::vector<std::wstring> expected;
            for (const std::wstring& song : order)
                if (song != L"Dawn.mp3") expected.push_back(song);
            EXPECT_EQ(FileBytes(Playlist()), PlaylistBytes(expected));
        },
        kCancel);
}

TEST_F(PlaylistEndToEnd, ATickLoadedFromTheRegistryOpensNothing)
{
    SetDword(kSettingsKey + "\\Sound", "Custom Play List Enabled", 1);
    ProgramRun program(folder.path());
    HWND mainWindow = program.WaitForWindow(kMainWindowTitle);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(IsTicked(GetDlgItem(mainWindow, kUsePlaylist)));
    EXPECT_EQ(program.WaitForWindow(kPlaylistWindowTitle, 1000), nullptr);
    Click(GetDlgItem(mainWindow, kCancel));
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST_F(PlaylistEndToEnd, TabMovesBetweenTheListAndTheButtons)
{
    Run(
        [&](HWND mainWindow) {
            HWND playlist = OpenPlaylist(mainWindow);
            ASSERT_NE(playlist, nullptr);
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(playlist) == GetDlgItem(playlist, kSongList); }));
            for (ControlId next : {kPlaylistOk, kPlaylistCancel, kSongList}) {
                PostMessageW(FocusOf(playlist), WM_KEYDOWN, VK_TAB, 0);
                EXPECT_TRUE(WaitUntil([&] { return FocusOf(playlist) == GetDlgItem(playlist, next); })) << next;
            }
            ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistCancel));
        },
        kCancel);
}

TEST_F(PlaylistEndToEnd, TickingAndOkWritesExactlyTheTickedSongs)
{
    Run(  // no playlist yet
        [&](HWND mainWindow) {
            HWND playlist = OpenPlaylist(mainWindow);
            ASSERT_NE(playlist, nullptr);
            HWND list = GetDlgItem(playlist, kSongList);
            EXPECT_TRUE(Ticked(list).empty());
            const std::vector<std::wstring> order = ListViewItems(list);
            ASSERT_EQ(order.size(), 3u);
            TickItem(list, 2, true);
            TickItem(list, 0, true);
            ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistOk));
            EXPECT_EQ(FileBytes(Playlist()), PlaylistBytes({order[0], order[2]}));

            // Again, untick everything: an empty file.
            Click(GetDlgItem(mainWindow, kUsePlaylist));  // unticked: nothing opens
            playlist = OpenPlaylist(mainWindow);
            ASSERT_NE(playlist, nullptr);
            list = GetDlgItem(playlist, kSongList);
            for (int i = 0; i < 3; ++i) TickItem(list, i, false);
            ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistOk));
            EXPECT_EQ(FileBytes(Playlist()), "");
        },
        kCancel);
}

TEST_F(PlaylistEndToEnd, ThePlayersLookAlikeFilesSurviveASave)
{
    WriteWholeFile(Playlist(), "Road.mp3\r\n");
    for (const char* name : {"Playlist.txt.new", "Playlist.txt.new1", "Playlist.txt.bak", "Playlist.tmp"})
        WriteWholeFile(Songs() + name, std::string("kept: ") + name);
    std::map<std::string, std::string> expected = FolderTree(SongsFolder());
    std::vector<std::wstring> order;
    Run(
        [&](HWND mainWindow) {
            HWND playlist = OpenPlaylist(mainWindow);
            ASSERT_NE(playlist, nullptr);
            HWND list = GetDlgItem(playlist, kSongList);
            order = ListViewItems(list);
            for (int i = 0; i < 3; ++i) TickItem(list, i, true);
            ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistOk));
        },
        kCancel);
    expected["Playlist.txt"] = PlaylistBytes(order);
    EXPECT_EQ(FolderTree(SongsFolder()), expected) << "the same names, and only the playlist changed";
}

TEST_F(PlaylistEndToEnd, CancelLeavesTheFileByteForByte)
{
    const std::string original = "Road.mp3\nRoad.mp3\n\nGone.mp3";
    WriteWholeFile(Playlist(), original);
    Run([&](HWND mainWindow) {
        HWND playlist = OpenPlaylist(mainWindow);
        ASSERT_NE(playlist, nullptr);
        for (int i = 0; i < 3; ++i) TickItem(GetDlgItem(playlist, kSongList), i, true);
        ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistCancel));
    });
    EXPECT_EQ(FileBytes(Playlist()), original);
}

TEST_F(PlaylistEndToEnd, MainWindowIsDeafWhileThePlaylistIsOpen)
{
    ProgramRun program(folder.path());
    HWND mainWindow = program.WaitForWindow(kMainWindowTitle);
    ASSERT_NE(mainWindow, nullptr);
    ASSERT_NE(OpenPlaylistWindow(program, mainWindow), nullptr);
    Click(GetDlgItem(mainWindow, kOk));
    Click(GetDlgItem(mainWindow, kCancel));
    PressCloseBox(mainWindow);
    EXPECT_EQ(program.WaitForExit(1500), -1L) << "OK, Cancel and the close box were lost, not deferred";
}

TEST_F(PlaylistEndToEnd, MainWindowWorksAgainAfterThePlaylistCloses)
{
    Run([&](HWND mainWindow) {
        HWND playlist = OpenPlaylist(mainWindow);
        ASSERT_NE(playlist, nullptr);
        Click(GetDlgItem(mainWindow, kCancel));  // lost
        ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistCancel));
        EXPECT_TRUE(IsWindow(mainWindow));
    });
    const auto stored = ReadRawValue(kSettingsKey + "\\Sound", "Custom Play List Enabled");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, DwordBytes(1));
}

// Which file a path names: the move of a new file gives the playlist another,
// a rewrite in place keeps it.
std::uint64_t FileIdentity(const std::string& path)
{
    const FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.IsOpen() || !GetFileInformationByHandle(file.Get(), &information)) return 0;
    return std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow;
}

// The playlist held open as the running game holds it (and a scanner may):
// for reading, sharing reads and writes but not deletion.
FileHandle HoldAsTheGame(const std::string& path)
{
    return FileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
}

// OK with the playlist held open by another program, sharing reads and writes
// but not deletion, as the running game and a scanner do; the hold ends
// holdMs after the click, or never, and then the new songs are there within
// half a second of OK. Ticks every song first.
void PressOkWhileHeld(HWND playlist, const std::string& path, DWORD holdMs, std::vector<std::wstring>& order)
{
    HWND list = GetDlgItem(playlist, kSongList);
    order = ListViewItems(list);
    for (int i = 0; i < 3; ++i) TickItem(list, i, true);
    FileHandle holder = HoldAsTheGame(path);
    ASSERT_TRUE(holder.IsOpen());
    const ULONGLONG pressed = GetTickCount64();
    Click(GetDlgItem(playlist, kPlaylistOk));
    if (holdMs != INFINITE) {
        Sleep(holdMs);
        holder.Reset();
    } else {
        EXPECT_TRUE(WaitUntil([&] { return FileBytes(path) == PlaylistBytes(order); }, 2000));
        EXPECT_LT(GetTickCount64() - pressed, 500u) << "the new songs within half a second of OK";
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(playlist); }));
}

// The running game keeps its playlist open for reading, sharing reads and
// writes but not deletion, so no new file can be moved over it: the save
// rewrites it in place, at once, and the game reads the new songs.
TEST_F(PlaylistEndToEnd, APlaylistTheGameHoldsOpenIsRewrittenInPlace)
{
    WriteWholeFile(Playlist(), "Road.mp3\r\n");
    const std::map<std::string, std::string> before = FolderTree(SongsFolder());
    std::vector<std::wstring> order;
    Run(
        [&](HWND mainWindow) {
            HWND playlist = OpenPlaylist(mainWindow);
            ASSERT_NE(playlist, nullptr);
            PressOkWhileHeld(playlist, Playlist(), INFINITE, order);
        },
        kCancel);
    std::map<std::string, std::string> expected = before;
    expected["Playlist.txt"] = PlaylistBytes(order);
    EXPECT_EQ(FolderTree(SongsFolder()), expected) << "the new playlist, and no leftover";
    const std::vector<std::string> events = LogEvents();
    EXPECT_EQ(std::count(events.begin(), events.end(), "Can't write playlist file " + Playlist() + "!"), 0);
}

// A scanner or the indexer holds a file it has just seen for a moment: the
// save waits for it and moves the complete new playlist over the old one,
// which is then another file, not the old one rewritten.
TEST_F(PlaylistEndToEnd, APlaylistHeldForAMomentIsReplacedWhole)
{
    WriteWholeFile(Playlist(), "Road.mp3\r\n");
    const std::map<std::string, std::string> before = FolderTree(SongsFolder());
    const std::uint64_t old = FileIdentity(Playlist());
    std::vector<std::wstring> order;
    Run(
        [&](HWND mainWindow) {
            HWND playlist = OpenPlaylist(mainWindow);
            ASSERT_NE(playlist, nullptr);
            PressOkWhileHeld(playlist, Playlist(), 100, order);
        },
        kCancel);
    std::map<std::string, std::string> expected = before;
    expected["Playlist.txt"] = PlaylistBytes(order);
    EXPECT_EQ(FolderTree(SongsFolder()), expected) << "the new playlist, and no leftover";
    EXPECT_NE(FileIdentity(Playlist()), old) << "rewritten in place instead of replaced";
    const std::vector<std::string> events = LogEvents();
    EXPECT_EQ(std::count(events.begin(), events.end(), "Can't write playlist file " + Playlist() + "!"), 0);
}

// The running game holds the playlist, and its disk has room for the new
// playlist once, not twice: the new file beside the old one fits, the rewrite
// in place beside it does not. Until the rewrite is whole the new file stays;
// the rewrite fails part way, the old playlist is put back whole and the new
// file goes; the save is logged. At no moment was neither playlist whole.
TEST_F(PlaylistEndToEnd, ARewriteThatFillsTheDiskPutsTheOldPlaylistBack)
{
    const char* disk = std::getenv("KERVANE_SMALL_GAME_DISK");
    ASSERT_NE(disk, nullptr);
    const std::string game = HostPath(disk), songs = game + "\\Songs";
    RemoveTree(songs);
    ASSERT_TRUE(CreateDirectoryA(songs.c_str(), nullptr));
    const std::string inSongs = songs + "\\";
    std::size_t newSize = 0;
    for (int i = 10; i < 70; ++i) {
        const std::string song = "Song " + std::to_string(i) +
                                 " of the long march over the hills and marshes of Vaelmoor.mp3";
        WriteWholeFile(inSongs + song, "");
        newSize += song.size() + 2;
    }
    const std::string playlist = inSongs + "Playlist.txt",
                      old = "Song 10 of the long march over the hills and marshes of Vaelmoor.mp3\r\n";
    WriteWholeFile(playlist, old);
    ULARGE_INTEGER room{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(game.c_str(), &room, nullptr, nullptr));
    ASSERT_EQ(room.QuadPart, 8192u) << "scripts/test mounts a 12 KiB file system at " << disk;
    ASSERT_GT(newSize, 4096u) << "the new playlist must not fit in place beside the new file";
    const std::map<std::string, std::string> before = FolderTree(songs);
    SetText(kSettingsKey + "\\General", "Root Directory", game);
    const FileHandle running = HoldAsTheGame(playlist);
    ASSERT_TRUE(running.IsOpen());
    Run(
        [&](HWND mainWindow) {
            HWND window = OpenPlaylist(mainWindow);
            ASSERT_NE(window, nullptr);
            HWND list = GetDlgItem(window, kSongList);
            for (int i = 0; i < 60; ++i) TickItem(list, i, true);
            ASSERT_TRUE(PressAndWaitForClose(window, kPlaylistOk));
        },
        kCancel);
    EXPECT_EQ(FolderTree(songs), before) << "the old playlist, and no leftover";
    EXPECT_EQ(LogEvents().back(), "Can't write playlist file " + playlist + "!");
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
        // Held until the program has ended: the window goes before the save.
        FileHandle holder;
        Run(
            [&](HWND mainWindow) {
                HWND playlist = OpenPlaylist(mainWindow);
                ASSERT_NE(playlist, nullptr);
                if (readOnly) {
                    ASSERT_TRUE(SetFileAttributesA(Playlist().c_str(), FILE_ATTRIBUTE_READONLY));
                } else {
                    holder.Reset(CreateFileA(Playlist().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
                    ASSERT_TRUE(holder.IsOpen());
                }
                for (int i = 0; i < 3; ++i) TickItem(GetDlgItem(playlist, kSongList), i, true);
                ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistOk));
            },
            kCancel);
        holder.Reset();
        EXPECT_EQ(FolderTree(SongsFolder()), before) << "the old playlist, and no leftover";
        const std::vector<std::string> events = LogEvents();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back(), "Can't write playlist file " + Playlist() + "!");
        SetFileAttributesA(Playlist().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(PlaylistEndToEnd, MissingSongsFolderGivesAnEmptyListAndALoggedSave)
{
    RemoveTree(SongsFolder());
    Run(
        [&](HWND mainWindow) {
            HWND playlist = OpenPlaylist(mainWindow);
            ASSERT_NE(playlist, nullptr);
            EXPECT_TRUE(ListViewItems(GetDlgItem(playlist, kSongList)).empty());
            ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistOk));
        },
        kCancel);
    EXPECT_FALSE(FileBytes(Playlist()));
    EXPECT_EQ(LogEvents().back(), "Can't write playlist file " + Playlist() + "!");
}

}  // namespace
