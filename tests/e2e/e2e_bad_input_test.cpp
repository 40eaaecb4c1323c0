// Whatever the editor finds on disk or in the registry, it opens, stays
// responsive, ends with exit code 0 and loses no setting.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "e2e_fixture.h"

namespace {

// Inputs this large take the program longer to open and to end.
constexpr DWORD kPatient = 30000;

class BadInput : public EndToEnd {};

TEST_F(BadInput, DictionaryContents)
{
    std::string garbage;
    for (int i = 0; i < 65536; ++i) garbage.push_back(static_cast<char>((i * 7919 + 13) & 0xFF));
    std::string manyGroups;
    for (int i = 0; i < 100000; ++i) manyGroups += "[g" + std::to_string(i) + "]\r\nEN = x\r\n";
    manyGroups += "[100]\r\nEN = Found at the end\r\n";
    const std::string longLine = "[100]\r\nEN = " + std::string(1 << 20, 'v') + "\r\n[101]\n" +
                                 std::string(1 << 20, 'k');
    std::string tenMegabytes = "[100]\r\nEN = Big\r\n; " + std::string(10 << 20, ';') + "\r\n";

    const struct {
        const char* what;
        std::string bytes;
        std::wstring videoFrame;
    } cases[] = {
        {"binary garbage", garbage, L"Video"},
        // The dictionary's text ends at its first zero byte, before the group's entry.
        {"zero bytes", std::string("[100]\0\r\nEN = Vid\0eo\r\n", 20), L"Video"},
        {"100,000 groups", manyGroups, L"Found at the end"},
        {"lines of a megabyte", longLine, L""},  // too long to read back through a window message
        {"only a byte-order mark", "\xEF\xBB\xBF", L"Video"},
        {"ten megabytes", tenMegabytes, L"Big"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteWholeFile("Dict\\Setup.ini", c.bytes);
        Run(
            [&](HWND window) {
                if (!c.videoFrame.empty()) {
                    EXPECT_EQ(ControlText(GetDlgItem(window, kVideoFrame)), c.videoFrame);
                }
                EXPECT_EQ(ControlText(GetDlgItem(window, kOk)), L"OK");
            },
            kCancel, 60000);
        EXPECT_EQ(FileBytes("Dict\\Setup.ini"), c.bytes) << "the dictionary is only read";
    }
}

TEST_F(BadInput, DictionaryHeldOpenOrReadOnly)
{
    WriteWholeFile("Dict\\Setup.ini", "[100]\r\nEN = Pictures\r\n");
    FileHandle holder(CreateFileA("Dict\\Setup.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsOpen());
    Run([](HWND window) { EXPECT_EQ(ControlText(GetDlgItem(window, kVideoFrame)), L"Video"); }, kCancel, kPatient);
    holder.Reset();
    EXPECT_EQ(LogEvents().size(), 105u + 1u) << "every lookup and the rules folder";

    SetFileAttributesA("Dict\\Setup.ini", FILE_ATTRIBUTE_READONLY);
    Run([](HWND window) { EXPECT_EQ(ControlText(GetDlgItem(window, kVideoFrame)), L"Pictures"); }, kCancel, kPatient);
    SetFileAttributesA("Dict\\Setup.ini", FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BadInput, WronglyTypedAndOversizedRegistryValues)
{
    const std::string huge(10000, 'h');
    const std::string sixteen(16, '\x01');
    const char* const keys[] = {"Video", "Sound", "General", "Workspace", "Email", "Kerv ++  "};
    // clang-format off
    const char* const names[] = {
        "Sound Effects Enabled", "Music Enabled", "Use DirectSound", "Selection Sounds Enabled",
        "Movement Sounds Enabled", "Ambient Sounds Enabled", "Dynamic Music Enabled", "Show Intro",
        "Allow Resolution Switches", "Use Direct3D", "Blood", "Autosave Before TC",
        "Custom Resources", "Detail Level", "Cursor Mode", "Language",
        "Display Mode", "Display Width", "Display Height", "Root Directory",
        "Resources Name", "Local Email address", "SMTP Server", "Attachment Directory",
        "Auto Save", "Auto Move", "View Panning", "Center On Event",
        "Scroll Speed", "Movement Speed", "Default Play Mode", "Combat Resolve Mode",
        "Custom Play List Enabled",
    };
    // clang-format on
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "10,000-character texts" : "16-byte binaries");
        DeleteKeyTree(kSettingsKey);
        for (const char* key : keys)
            for (const char* name : names)
                SetRawValue(kSettingsKey + "\\" + key, name, round == 0 ? REG_SZ : REG_BINARY,
                            round == 0 ? WithZero(huge) : sixteen);
        Run(
            [&](HWND window) {
                EXPECT_TRUE(IsTicked(GetDlgItem(window, kMusic))) << "unreadable reads as a missing value: checked";
                EXPECT_EQ(ComboSelection(GetDlgItem(window, kDisplayLevelBox)), -1);
                EXPECT_EQ(ComboSelection(GetDlgItem(window, kDisplayModeBox)), 1) << "-1*-1 matches no mode";
                // A text too long for the 260-byte read is empty; a short binary is taken as text.
                EXPECT_EQ(ControlText(GetDlgItem(window, kEmailField)), round == 0 ? L"" : std::wstring(16, L'\x01'));
            },
            kOk, kPatient);
        const auto music = ReadRawValue(kSettingsKey + "\\Sound", "Music Enabled");
        ASSERT_TRUE(music);
        EXPECT_EQ(music->type, static_cast<DWORD>(REG_DWORD));
        const auto root = ReadRawValue(kSettingsKey + "\\General", "Root Directory");
        ASSERT_TRUE(root);
        EXPECT_EQ(root->data.size(), round == 0 ? huge.size() + 1 : 16u) << "never written, so never cut";
    }
}

TEST_F(BadInput, RootDirectoryLongerThanAPathOrWithAccents)
{
    SetText(kSettingsKey + "\\General", "Root Directory", "C:\\" + std::string(255, 'r'));
    Run([](HWND window) { EXPECT_TRUE(ComboItems(GetDlgItem(window, kRulesBox)).empty()); }, kCancel, kPatient);
    EXPECT_EQ(LogEvents().back(),
              "Can't create mo lists for directory: C:\\" + std::string(255, 'r') + "\\User\\Resources\\!");

    // Names in the system's code page: "Jeux \xE9t\xE9" and a rules folder "R\xE8gles".
    const std::string root = folder.path() + "\\Jeux \xE9t\xE9";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\User").c_str(), nullptr);
    CreateDirectoryA((root + "\\User\\Resources").c_str(), nullptr);
    CreateDirectoryA((root + "\\User\\Resources\\R\xE8gles").c_str(), nullptr);
    // The longest folder the ANSI directory functions create: a whole path of 247 bytes (MAX_PATH
    // less room for an 8.3 name), wherever the scratch folder lies.
    const std::string longest = std::string(247 - (root.size() + std::strlen("\\User\\Resources\\")), 'n');
    ASSERT_TRUE(CreateDirectoryA((root + "\\User\\Resources\\" + longest).c_str(), nullptr));
    SetText(kSettingsKey + "\\General", "Root Directory", root);
    SetText(kSettingsKey + "\\General", "Resources Name", "User\\Resources\\R\xE8gles\\");
    wchar_t accented[16];
    MultiByteToWideChar(CP_ACP, 0, "R\xE8gles", -1, accented, 16);
    Run(
        [&](HWND window) {
            HWND rules = GetDlgItem(window, kRulesBox);
            const auto items = ComboItems(rules);
            ASSERT_EQ(items.size(), 2u);
            ASSERT_GE(ComboSelection(rules), 0);
            EXPECT_EQ(items.at(static_cast<std::size_t>(ComboSelection(rules))), accented);
        },
        kOk, kPatient);
    EXPECT_EQ(ReadRawValue(kSettingsKey + "\\General", "Resources Name")->data,
              TextBlock("User\\Resources\\R\xE8gles\\"))
        << "stored back byte for byte";
}

TEST_F(BadInput, ThousandsOfRulesFolders)
{
    const std::string rules = GameFolder() + "\\Kervane";
    MakeGameFolders({"Kervane"});
    for (int i = 0; i < 3000; ++i) CreateDirectoryA((rules + "\\Rules " + std::to_string(i)).c_str(), nullptr);
    SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());
    SetDword(kSettingsKey + "\\Kerv ++  ", "Custom Resources", 1);
    SetText(kSettingsKey + "\\Kerv ++  ", "Resources Name", "Kervane\\Rules 2999\\");
    Run(
        [](HWND window) {
            HWND box = GetDlgItem(window, kRulesBox);
            EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 3000);
            wchar_t selected[64] = L"";
            SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(ComboSelection(box)),
                         reinterpret_cast<LPARAM>(selected));
            EXPECT_STREQ(selected, L"Rules 2999");
        },
        kCancel, kPatient);
}

TEST_F(BadInput, PlaylistOfManyAndOfLongLines)
{
    const std::string songs = GameFolder() + "\\Songs\\";
    MakeGameFolders({"Songs"});
    for (int i = 0; i < 500; ++i) WriteWholeFile(songs + "Song " + std::to_string(i) + ".mp3", "ID3");
    std::string playlist;
    for (int i = 0; i < 100000; ++i) playlist += "Song " + std::to_string(i % 1000) + ".mp3\r\n";
    playlist += std::string(1 << 20, 'L') + "\r\n";
    WriteWholeFile(songs + "Playlist.txt", playlist);
    SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());

    Run(
        [&](HWND window) {
            HWND editor = OpenPlaylist(window, kPatient);
            ASSERT_NE(editor, nullptr);
            HWND list = GetDlgItem(editor, kSongList);
            EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 500);
            for (int i : {0, 250, 499}) EXPECT_TRUE(IsItemTicked(list, i)) << i;
            ASSERT_TRUE(PressAndWaitForClose(editor, kPlaylistOk, kPatient));
        },
        kCancel);
    const auto saved = FileBytes(songs + "Playlist.txt");
    ASSERT_TRUE(saved);
    EXPECT_EQ(std::count(saved->begin(), saved->end(), '\n'), 500) << "each song once";
}

TEST_F(BadInput, SongNamesInTheSystemCodePage)
{
    const std::string songs = GameFolder() + "\\Songs\\";
    MakeGameFolders({"Songs"});
    const std::string summer = "\xC9t\xE9.mp3";  // "Été.mp3" in the system's code page
    WriteWholeFile(songs + summer, "ID3");
    WriteWholeFile(songs + "Plain.mp3", "ID3");
    WriteWholeFile(songs + "Playlist.txt", summer + "\r\n");
    SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());
    wchar_t shown[16];
    MultiByteToWideChar(CP_ACP, 0, summer.c_str(), -1, shown, 16);

    Run(
        [&](HWND window) {
            HWND editor = OpenPlaylist(window);
            ASSERT_NE(editor, nullptr);
            HWND list = GetDlgItem(editor, kSongList);
            const std::vector<std::wstring> items = ListViewItems(list);
            const auto at = std::find(items.begin(), items.end(), std::wstring(shown));
            ASSERT_NE(at, items.end()) << "the song reads as the player named it";
            EXPECT_TRUE(IsItemTicked(list, static_cast<int>(at - items.begin())));
            ASSERT_TRUE(PressAndWaitForClose(editor, kPlaylistOk));
        },
        kCancel);
    EXPECT_EQ(FileBytes(songs + "Playlist.txt"), summer + "\r\n") << "written back in the same bytes";
}

TEST_F(BadInput, ImageLibraryLockedDuringTheSwitch)
{
    const std::string images = GameFolder() + "\\Images\\";
    MakeGameFolders({"Images"});
    SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());
    // Another program reads one library, sharing it for reading only, while the
    // player ticks "View bounds" and presses OK: the first or the second rename fails.
    for (const char* held : {"General.ilb", "General_Old.ilb"}) {
        SCOPED_TRACE(held);
        WriteWholeFile(images + "General.ilb", "active");
        WriteWholeFile(images + "General_Old.ilb", "old");
        FileHandle holder(
            CreateFileA((images + held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder.IsOpen());
        Run([](HWND window) { Click(GetDlgItem(window, kViewBounds)); }, kOk, kPatient);
        holder.Reset();
        // The switch does not happen, and the game keeps its active library.
        EXPECT_EQ(FileBytes(images + "General.ilb"), "active");
        EXPECT_EQ(FileBytes(images + "General_Old.ilb"), "old");
        EXPECT_FALSE(FileBytes(images + "General_New.ilb"));
    }
}

TEST_F(BadInput, GameFolderThatRefusesNewFiles)
{
    const char* prepared = std::getenv("KERVANE_READ_ONLY_GAME");
    ASSERT_NE(prepared, nullptr) << "ctest prepares the read-only game folder";
    const std::string game = HostPath(prepared);
    const FileHandle probe(
        CreateFileA((game + "\\Songs\\probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_FALSE(probe.IsOpen()) << "the folder took a new file: is Wine running as root?";
    SetText(kSettingsKey + "\\General", "Root Directory", game);
    SetDword(kSettingsKey + "\\General", "Custom Resources", 1);
    SetDword(kSettingsKey + "\\Kerv ++  ", "Custom Resources", 0);

    Run([&](HWND window) {
        EXPECT_EQ(ComboItems(GetDlgItem(window, kRulesBox)), std::vector<std::wstring>{L"Plain Rules"});
        HWND playlist = OpenPlaylist(window);
        ASSERT_NE(playlist, nullptr);
        HWND list = GetDlgItem(playlist, kSongList);
        ASSERT_EQ(ListViewItems(list).size(), 2u);
        for (int i = 0; i < 2; ++i) TickItem(list, i, true);
        const std::vector<std::wstring> songs = ListViewItems(list);
        ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistOk));
        // No new file fits beside the playlist, so it is rewritten in place.
        EXPECT_EQ(FileBytes(game + "\\Songs\\Playlist.txt"), PlaylistBytes(songs));
        // Then fewer songs than the file holds: the old tail must not stay behind
        // the new lines, or the game would play songs the player unticked.
        Click(GetDlgItem(window, kUsePlaylist));
        ASSERT_TRUE(WaitUntil([&] { return !IsTicked(GetDlgItem(window, kUsePlaylist)); }));
        playlist = OpenPlaylist(window);
        ASSERT_NE(playlist, nullptr);
        list = GetDlgItem(playlist, kSongList);
        TickItem(list, 0, false);
        ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistOk));
        EXPECT_EQ(FileBytes(game + "\\Songs\\Playlist.txt"), PlaylistBytes({songs[1]}));
        Click(GetDlgItem(window, kViewBounds));  // would rename the libraries
    });

    EXPECT_FALSE(FileBytes(game + "\\Songs\\Playlist.txt.new"));
    // The libraries cannot be renamed here; both keep their names and bytes.
    EXPECT_EQ(FileBytes(game + "\\Images\\General.ilb"), "active");
    EXPECT_EQ(FileBytes(game + "\\Images\\General_Old.ilb"), "old");
    EXPECT_FALSE(FileBytes(game + "\\Images\\General_New.ilb"));
    const auto music = ReadRawValue(kSettingsKey + "\\Sound", "Music Enabled");
    ASSERT_TRUE(music) << "the settings are written all the same";
}

TEST_F(BadInput, LogThatCannotBeWritten)
{
    WriteWholeFile("Setup.log", "old lines\r\n");
    FileHandle holder(CreateFileA("Setup.log", GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsOpen());
    RemoveDirectoryA("Dict");  // every lookup wants a line
    Run([](HWND window) { EXPECT_EQ(ControlText(GetDlgItem(window, kVideoFrame)), L"Video"); }, kCancel, kPatient);
    holder.Reset();
    EXPECT_EQ(FileBytes("Setup.log"), "old lines\r\n");
}

}  // namespace
