// The editor's main job, on the real program and the real registry: every
// control shows the game's setting, OK writes every setting back exactly,
// Cancel and the close box write nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "program_driver.h"
#include "wine_fixtures.h"

namespace {

const std::string kGame = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";
const std::string kVideo = kGame + "\\Video";
const std::string kSound = kGame + "\\Sound";
const std::string kGeneral = kGame + "\\General";
const std::string kWorkspace = kGame + "\\Workspace";
const std::string kEmail = kGame + "\\Email";
const std::string kKerv = kGame + "\\Kerv ++  ";
const std::wstring kTitle = L"Vaelmoor: Kervane settings";

std::string Dword(std::uint32_t value)
{
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

std::string Text(const std::string& text)
{
    std::string block = text;
    block.resize(std::max<std::size_t>(256, text.size() + 1), '\0');
    return block;
}

class SettingsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree("SOFTWARE\\Halcyra Studios");
        CreateDirectoryA("Dict", nullptr);
        CreateDirectoryA("Game", nullptr);
    }
    void TearDown() override { DeleteKeyTree("SOFTWARE\\Halcyra Studios"); }

    std::string GameFolder() const { return folder.path() + "\\Game"; }
    void MakeFolders(const std::vector<std::string>& relative)
    {
        for (const std::string& path : relative) {
            for (std::size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1))
                CreateDirectoryA((GameFolder() + '\\' + path.substr(0, end)).c_str(), nullptr);
            CreateDirectoryA((GameFolder() + '\\' + path).c_str(), nullptr);
        }
    }

    // Starts the program, lets act work on its window, then presses the
    // button (104 OK, 105 Cancel, 0 the close box) and waits for the end.
    void Run(const std::function<void(HWND)>& act, int finish = 104)
    {
        ProgramRun program(folder.path());
        HWND window = program.WaitForWindow(kTitle);
        ASSERT_NE(window, nullptr);
        act(window);
        if (finish == 0) PressCloseBox(window);
        else Click(GetDlgItem(window, finish));
        ASSERT_EQ(program.WaitForExit(), 0);
    }

    ScratchFolder folder;
};

const int kCheckBoxes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19};

TEST_F(SettingsEndToEnd, MissingGameKeyLoadsNeutralStatesAndOkWritesTheWholeCatalogue)
{
    Run([&](HWND window) {
        for (int id : kCheckBoxes) EXPECT_FALSE(IsTicked(GetDlgItem(window, id))) << id;
        for (int id : {31, 32, 33, 34, 36, 37, 38, 39}) EXPECT_EQ(ComboSelection(GetDlgItem(window, id)), 0) << id;
        EXPECT_EQ(ComboSelection(GetDlgItem(window, 30)), 0) << "windowed";
        EXPECT_EQ(ComboSelection(GetDlgItem(window, 35)), -1);
        EXPECT_TRUE(ComboItems(GetDlgItem(window, 35)).empty()) << "no rules folder under the drive root";
        for (int id : {51, 53, 55}) EXPECT_EQ(ControlText(GetDlgItem(window, id)), L"") << id;
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 13)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 35)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 18))) << "no image library beside the active one";
    });

    const struct {
        const std::string& path;
        const char* name;
        DWORD type;
        std::string data;
    } written[] = {
        {kSound, "Sound Effects Enabled", REG_DWORD, Dword(0)},
        {kSound, "Music Enabled", REG_DWORD, Dword(0)},
        {kSound, "Use DirectSound", REG_DWORD, Dword(0)},
        {kSound, "Selection Sounds Enabled", REG_DWORD, Dword(0)},
        {kSound, "Movement Sounds Enabled", REG_DWORD, Dword(0)},
        {kSound, "Ambient Sounds Enabled", REG_DWORD, Dword(0)},
        {kSound, "Dynamic Music Enabled", REG_DWORD, Dword(0)},
        {kSound, "Custom Play List Enabled", REG_DWORD, Dword(0)},
        {kVideo, "Use Direct3D", REG_DWORD, Dword(0)},
        {kVideo, "Allow Resolution Switches", REG_DWORD, Dword(0)},
        {kVideo, "Display Mode", REG_DWORD, Dword(0)},
        {kVideo, "Cursor Mode", REG_DWORD, Dword(0)},
        {kGeneral, "Show Intro", REG_DWORD, Dword(0)},
        {kGeneral, "Blood", REG_DWORD, Dword(0)},
        {kGeneral, "Autosave Before TC", REG_DWORD, Dword(0)},
        {kGeneral, "Custom Resources", REG_DWORD, Dword(0)},
        {kGeneral, "Language", REG_DWORD, Dword(0)},
        {kGeneral, "Resources Name", REG_SZ, Text("User\\Resources\\\\")},
        {kGeneral, "Auto Save", REG_DWORD, Dword(0)},
        {kGeneral, "Auto Move", REG_DWORD, Dword(0)},
        {kGeneral, "Movement Speed", REG_BINARY, std::string(1, '\0')},
        {kGeneral, "Default Play Mode", REG_DWORD, Dword(0)},
        {kGeneral, "Combat Resolve Mode", REG_BINARY, std::string(1, '\0')},
        {kKerv, "Custom Resources", REG_DWORD, Dword(0)},
        {kWorkspace, "Detail Level", REG_DWORD, Dword(0)},
        {kWorkspace, "View Panning", REG_DWORD, Dword(0)},
        {kWorkspace, "Center On Event", REG_DWORD, Dword(0)},
        {kWorkspace, "Scroll Speed", REG_DWORD, Dword(0)},
        {kEmail, "Local Email address", REG_SZ, Text("")},
        {kEmail, "SMTP Server", REG_SZ, Text("")},
        {kEmail, "Attachment Directory", REG_SZ, Text("")},
    };
    for (const auto& w : written) {
        const auto value = ReadRawValue(w.path, w.name);
        ASSERT_TRUE(value) << w.name;
        EXPECT_EQ(value->type, w.type) << w.name;
        EXPECT_EQ(value->data, w.data) << w.name;
    }
    EXPECT_FALSE(ReadRawValue(kVideo, "Display Width")) << "windowed: no width";
    EXPECT_FALSE(ReadRawValue(kVideo, "Display Height"));
    EXPECT_FALSE(ReadRawValue(kGeneral, "Root Directory")) << "never written";
    EXPECT_FALSE(ReadRawValue(kKerv, "Resources Name")) << "only the family shown is written";
}

TEST_F(SettingsEndToEnd, StoredValuesAndTheirConversions)
{
    SetDword(kSound, "Music Enabled", 1);  // the other sound values are missing: checked
    SetDword(kGeneral, "Blood", 5);
    SetDword(kGeneral, "Show Intro", 0);
    SetDword(kWorkspace, "Detail Level", 7);  // out of range: no selection, written back as -1
    SetDword(kVideo, "Cursor Mode", 2);
    SetDword(kGeneral, "Language", 10);
    SetDword(kGeneral, "Combat Resolve Mode", 2);  // a number where a byte belongs: -1, no selection
    SetRawValue(kGeneral, "Movement Speed", REG_BINARY, std::string(1, '\x02'));
    SetRawValue(kEmail, "Local Email address", REG_SZ, std::string("player@example.org") + '\0');
    SetRawValue(kEmail, "SMTP Server", REG_SZ, std::string("smtp.example.org") + '\0');
    SetRawValue(kEmail, "Attachment Directory", REG_SZ, std::string("D:\\Mail") + '\0');

    Run([&](HWND window) {
        for (int id : {0, 1, 2, 3, 4, 5, 6}) EXPECT_TRUE(IsTicked(GetDlgItem(window, id))) << id;
        EXPECT_TRUE(IsTicked(GetDlgItem(window, 10)));
        EXPECT_FALSE(IsTicked(GetDlgItem(window, 7)));
        EXPECT_TRUE(IsTicked(GetDlgItem(window, 14))) << "missing from an existing key: checked";
        EXPECT_FALSE(IsTicked(GetDlgItem(window, 13))) << "missing key: unchecked";
        EXPECT_EQ(ComboSelection(GetDlgItem(window, 32)), -1);
        EXPECT_EQ(ComboSelection(GetDlgItem(window, 33)), 2);
        EXPECT_EQ(ComboSelection(GetDlgItem(window, 34)), 10);
        EXPECT_EQ(ComboSelection(GetDlgItem(window, 37)), 2);
        EXPECT_EQ(ComboSelection(GetDlgItem(window, 39)), -1);
        EXPECT_EQ(ControlText(GetDlgItem(window, 51)), L"player@example.org");
        EXPECT_EQ(ControlText(GetDlgItem(window, 55)), L"D:\\Mail");
        Type(GetDlgItem(window, 53), L"mail.example.org");
    });
    EXPECT_EQ(StoredDword(kGeneral, "Blood"), 1u);
    EXPECT_EQ(StoredDword(kSound, "Use DirectSound"), 1u) << "a missing value shown checked is written as 1";
    EXPECT_EQ(StoredDword(kWorkspace, "Detail Level"), 0xFFFFFFFFu);
    EXPECT_EQ(StoredDword(kGeneral, "Language"), 10u);
    EXPECT_EQ(ReadRawValue(kGeneral, "Combat Resolve Mode")->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(ReadRawValue(kGeneral, "Combat Resolve Mode")->data, std::string(1, '\0'));
    EXPECT_EQ(ReadRawValue(kGeneral, "Movement Speed")->data, std::string(1, '\x02'));
    EXPECT_EQ(ReadRawValue(kEmail, "SMTP Server")->data, Text("mail.example.org"));
    EXPECT_EQ(ReadRawValue(kEmail, "Attachment Directory")->data, Text("D:\\Mail\\")) << "a final backslash added";
    EXPECT_EQ(ReadRawValue(kEmail, "Local Email address")->data, Text("player@example.org"));
}

TEST_F(SettingsEndToEnd, DisplayModes)
{
    // The adapter's modes differ between machines; take one it offers.
    std::wstring offered;
    Run(
        [&](HWND window) {
            const auto modes = ComboItems(GetDlgItem(window, 30));
            ASSERT_GE(modes.size(), 2u);
            offered = modes.back();
        },
        105);
    const int width = _wtoi(offered.c_str());
    const int height = _wtoi(offered.substr(offered.find(L'*') + 1).c_str());

    SetDword(kVideo, "Display Mode", 2);
    SetDword(kVideo, "Display Width", static_cast<std::uint32_t>(width));
    SetDword(kVideo, "Display Height", static_cast<std::uint32_t>(height));
    Run([&](HWND window) {
        HWND box = GetDlgItem(window, 30);
        EXPECT_EQ(ComboItems(box).at(static_cast<std::size_t>(ComboSelection(box))), offered);
    });
    EXPECT_EQ(StoredDword(kVideo, "Display Mode"), 1u);
    EXPECT_EQ(StoredDword(kVideo, "Display Width"), static_cast<std::uint32_t>(width));
    EXPECT_EQ(StoredDword(kVideo, "Display Height"), static_cast<std::uint32_t>(height));

    SetDword(kVideo, "Display Width", 12345);  // a resolution no item holds: "800*600"
    Run([&](HWND window) { EXPECT_EQ(ComboSelection(GetDlgItem(window, 30)), 1); });
    EXPECT_EQ(StoredDword(kVideo, "Display Width"), 800u);
    EXPECT_EQ(StoredDword(kVideo, "Display Height"), 600u);

    Run([&](HWND window) { Choose(GetDlgItem(window, 30), 0); });
    EXPECT_EQ(StoredDword(kVideo, "Display Mode"), 0u);
    EXPECT_EQ(StoredDword(kVideo, "Display Width"), 800u) << "left as it was";

    DeleteKeyTree(kVideo);
    SetDword(kVideo, "Display Mode", 1);  // width and height missing: -1*-1, which no item holds
    Run([&](HWND window) { EXPECT_EQ(ComboSelection(GetDlgItem(window, 30)), 1); }, 105);
}

TEST_F(SettingsEndToEnd, RootDirectoryAndRulesFamilies)
{
    MakeFolders({"User\\Resources\\Skirmish", "User\\Resources\\Skirmish2", "Kervane\\Legends", "Kervane\\Ashes"});
    WriteWholeFile(GameFolder() + "\\User\\Resources\\notes.txt", "a file, not a rules folder");
    SetRawValue(kGeneral, "Root Directory", REG_SZ, GameFolder() + '\0');  // no final backslash
    SetRawValue(kGeneral, "Resources Name", REG_SZ, std::string("User\\Resources\\Skirmish\\") + '\0');
    SetRawValue(kKerv, "Resources Name", REG_SZ, std::string("Kervane\\Ashes\\") + '\0');
    SetDword(kGeneral, "Custom Resources", 1);
    SetDword(kKerv, "Custom Resources", 0);

    Run([&](HWND window) {
        HWND rules = GetDlgItem(window, 35);
        EXPECT_TRUE(IsWindowEnabled(rules));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 13)));
        auto items = ComboItems(rules);
        std::sort(items.begin(), items.end());
        EXPECT_EQ(items, (std::vector<std::wstring>{L"Skirmish", L"Skirmish2"}));
        EXPECT_EQ(ComboItems(rules).at(static_cast<std::size_t>(ComboSelection(rules))), L"Skirmish")
            << "the exact name wins over Skirmish2";

        Click(GetDlgItem(window, 13));  // Kervane-based now
        ASSERT_TRUE(WaitUntil([&] {
            return ComboItems(rules).size() == 2 && ComboItems(rules)[0] != L"Skirmish" &&
                   ComboItems(rules)[0] != L"Skirmish2";
        }));
        items = ComboItems(rules);
        std::sort(items.begin(), items.end());
        EXPECT_EQ(items, (std::vector<std::wstring>{L"Ashes", L"Legends"}));
        EXPECT_EQ(ComboItems(rules).at(static_cast<std::size_t>(ComboSelection(rules))), L"Ashes");

        Click(GetDlgItem(window, 12));  // not allowed any more: disabled, contents kept
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(rules); }));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 13)));
        EXPECT_EQ(ComboItems(rules).size(), 2u);
        EXPECT_TRUE(IsTicked(GetDlgItem(window, 13)));

        Click(GetDlgItem(window, 12));  // allowed again: refilled from the Kervane family
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(rules) != FALSE; }));
        EXPECT_EQ(ComboItems(rules).at(static_cast<std::size_t>(ComboSelection(rules))), L"Ashes");
        const auto all = ComboItems(rules);
        Choose(rules, static_cast<int>(std::find(all.begin(), all.end(), L"Legends") - all.begin()));
    });
    EXPECT_EQ(ReadRawValue(kKerv, "Resources Name")->data, Text("Kervane\\Legends\\"));
    EXPECT_EQ(ReadRawValue(kGeneral, "Resources Name")->data, std::string("User\\Resources\\Skirmish\\") + '\0')
        << "the other family keeps its value";
    EXPECT_EQ(StoredDword(kKerv, "Custom Resources"), 1u);
    EXPECT_EQ(StoredDword(kGeneral, "Custom Resources"), 1u);
    EXPECT_TRUE(LogEvents().size() == 2u) << "the dictionary lines only: both rules folders could be listed";
}

TEST_F(SettingsEndToEnd, MissingRulesFolderIsLoggedWithTheGameRoot)
{
    SetRawValue(kGeneral, "Root Directory", REG_SZ, GameFolder() + "\\" + '\0');
    Run([&](HWND window) { EXPECT_TRUE(ComboItems(GetDlgItem(window, 35)).empty()); }, 105);
    EXPECT_EQ(LogEvents().back(), "Can't create mo lists for directory: " + GameFolder() + "\\User\\Resources\\!");
}

TEST_F(SettingsEndToEnd, RoadOfOneChange)
{
    for (const char* name :
         {"Sound Effects Enabled", "Music Enabled", "Use DirectSound", "Selection Sounds Enabled",
          "Movement Sounds Enabled", "Ambient Sounds Enabled", "Dynamic Music Enabled", "Custom Play List Enabled"})
        SetDword(kSound, name, 1);
    SetDword(kWorkspace, "Scroll Speed", 2);
    Run([&](HWND window) {
        ASSERT_TRUE(IsTicked(GetDlgItem(window, 1)));
        Click(GetDlgItem(window, 1));
    });
    EXPECT_EQ(StoredDword(kSound, "Music Enabled"), 0u);
    for (const char* name :
         {"Sound Effects Enabled", "Use DirectSound", "Selection Sounds Enabled", "Movement Sounds Enabled",
          "Ambient Sounds Enabled", "Dynamic Music Enabled", "Custom Play List Enabled"})
        EXPECT_EQ(StoredDword(kSound, name), 1u) << name;
    EXPECT_EQ(StoredDword(kWorkspace, "Scroll Speed"), 2u);
}

TEST_F(SettingsEndToEnd, CancelAndTheCloseBoxWriteAndRenameNothing)
{
    MakeFolders({"Images"});
    WriteWholeFile(GameFolder() + "\\Images\\General.ilb", "active");
    WriteWholeFile(GameFolder() + "\\Images\\General_Old.ilb", "old");
    SetRawValue(kGeneral, "Root Directory", REG_SZ, GameFolder() + '\0');
    SetDword(kSound, "Music Enabled", 1);
    for (int finish : {105, 0}) {
        Run(
            [&](HWND window) {
                Click(GetDlgItem(window, 1));
                Click(GetDlgItem(window, 18));
                Type(GetDlgItem(window, 51), L"changed@example.org");
            },
            finish);
        EXPECT_EQ(StoredDword(kSound, "Music Enabled"), 1u) << finish;
        EXPECT_FALSE(ReadRawValue(kEmail, "Local Email address")) << finish;
        EXPECT_FALSE(KeyExists(kVideo)) << finish;
        EXPECT_EQ(FileBytes(GameFolder() + "\\Images\\General.ilb"), "active") << finish;
        EXPECT_EQ(FileBytes(GameFolder() + "\\Images\\General_Old.ilb"), "old") << finish;
    }
}

TEST_F(SettingsEndToEnd, BoundaryImageSwitch)
{
    MakeFolders({"Images"});
    const std::string images = GameFolder() + "\\Images\\";
    SetRawValue(kGeneral, "Root Directory", REG_SZ, GameFolder() + '\0');

    // Only the old set aside: tick the box, and the old one becomes active.
    WriteWholeFile(images + "General.ilb", "bounds hidden");
    WriteWholeFile(images + "General_Old.ilb", "bounds shown");
    Run([&](HWND window) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 18)));
        EXPECT_FALSE(IsTicked(GetDlgItem(window, 18)));
        Click(GetDlgItem(window, 18));
    });
    EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds shown");
    EXPECT_EQ(FileBytes(images + "General_New.ilb"), "bounds hidden");
    EXPECT_FALSE(FileBytes(images + "General_Old.ilb"));

    // The next start shows it ticked; OK without a change renames nothing.
    Run([&](HWND window) { EXPECT_TRUE(IsTicked(GetDlgItem(window, 18))); });
    EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds shown");
    EXPECT_EQ(FileBytes(images + "General_New.ilb"), "bounds hidden");

    // Untick: back again.
    Run([&](HWND window) { Click(GetDlgItem(window, 18)); });
    EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds hidden");
    EXPECT_EQ(FileBytes(images + "General_Old.ilb"), "bounds shown");
    EXPECT_FALSE(FileBytes(images + "General_New.ilb"));

    // Both set aside: ticked, and neither state renames anything, since no rename may overwrite.
    WriteWholeFile(images + "General_New.ilb", "third");
    for (bool untick : {false, true}) {
        Run([&](HWND window) {
            EXPECT_TRUE(IsTicked(GetDlgItem(window, 18)));
            if (untick) Click(GetDlgItem(window, 18));
        });
        EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds hidden");
        EXPECT_EQ(FileBytes(images + "General_Old.ilb"), "bounds shown");
        EXPECT_EQ(FileBytes(images + "General_New.ilb"), "third");
    }

    // The active library missing: the first rename fails, the second still runs.
    DeleteFileA((images + "General.ilb").c_str());
    DeleteFileA((images + "General_New.ilb").c_str());
    Run([&](HWND window) { Click(GetDlgItem(window, 18)); });
    EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds shown");
    EXPECT_FALSE(FileBytes(images + "General_Old.ilb"));
    EXPECT_FALSE(FileBytes(images + "General_New.ilb"));
    Run([&](HWND window) { EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 18))); }, 105);
}

TEST_F(SettingsEndToEnd, WritesFollowTheApplyOrder)
{
    // Under a volatile key no lasting key can be made, so every number and
    // text write logs its key path: the log is the order of the writes.
    HKEY parent = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Halcyra Studios", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &parent, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(parent);
    Run([](HWND) {});

    // Kept by hand: one group of writes a line, each with what it is.
    // clang-format off
    const std::vector<const std::string*> order = {
        &kSound, &kSound, &kSound, &kSound, &kSound, &kSound, &kSound,  // sound check boxes
        &kVideo, &kVideo,                                               // Direct3D, resolution switches
        &kGeneral, &kGeneral, &kGeneral, &kGeneral,                     // intro, blood, autosave, custom rules
        &kKerv,                                                         // Kervane-based rules
        &kVideo,                                                        // display mode (windowed)
        &kWorkspace, &kVideo, &kGeneral,                                // detail, cursor, language
        &kGeneral,                                                      // rules name
        &kEmail, &kEmail, &kEmail,                                      // e-mail texts
        &kGeneral, &kGeneral, &kWorkspace, &kWorkspace, &kWorkspace,    // auto save/move, panning, centre, scroll
        &kGeneral,                                                      // game type (the byte writes log nothing)
        &kSound,                                                        // playlist
    };
    // clang-format on
    std::vector<std::string> expected;
    expected.reserve(order.size());
    for (const std::string* path : order) expected.push_back("Can't write registry setting to " + *path + "!");
    std::vector<std::string> log = LogEvents();
    log.erase(log.begin(), log.begin() + 3);  // the dictionary rebuild and the rules folder
    EXPECT_EQ(log, expected);
}

}  // namespace
