// The editor's main job, on the real program and the real registry: every
// control shows the game's setting, OK writes every setting back exactly,
// Cancel and the close box write nothing.

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

#include "e2e_fixture.h"

namespace {

const std::string kVideo = kSettingsKey + "\\Video";
const std::string kSound = kSettingsKey + "\\Sound";
const std::string kGeneral = kSettingsKey + "\\General";
const std::string kWorkspace = kSettingsKey + "\\Workspace";
const std::string kEmail = kSettingsKey + "\\Email";
const std::string kKerv = kSettingsKey + "\\Kerv ++  ";

class SettingsEndToEnd : public EndToEnd {};

TEST_F(SettingsEndToEnd, MissingGameKeyLoadsNeutralStatesAndOkWritesTheWholeCatalogue)
{
    Run([&](HWND window) {
        for (const Expected& row : kMainLayout) {  // View bounds follows the image libraries, not the registry
            if (row.kind != Check || row.id == kViewBounds) continue;
            EXPECT_FALSE(IsTicked(GetDlgItem(window, row.id))) << row.id;
        }
        for (ControlId id : {kAdapterBox, kDisplayLevelBox, kCursorsBox, kLanguageBox, kScrollSpeedBox,
                             kMovementSpeedBox, kGameTypeBox, kCombatTypeBox})
            EXPECT_EQ(ComboSelection(GetDlgItem(window, id)), 0) << id;
        EXPECT_EQ(ComboSelection(GetDlgItem(window, kDisplayModeBox)), 0) << "windowed";
        EXPECT_EQ(ComboSelection(GetDlgItem(window, kRulesBox)), -1);
        EXPECT_TRUE(ComboItems(GetDlgItem(window, kRulesBox)).empty()) << "no rules folder under the drive root";
        for (ControlId id : {kEmailField, kSmtpField, kFolderField})
            EXPECT_EQ(ControlText(GetDlgItem(window, id)), L"") << id;
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kKervBasedRules)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kRulesBox)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kViewBounds))) << "no image library beside the active one";
    });

    // Every number written 0, both bytes 0, the texts empty, the rules name of no selection.
    const std::pair<const std::string&, std::vector<const char*>> numbers[] = {
        {kSound,
         {"Sound Effects Enabled", "Music Enabled", "Use DirectSound", "Selection Sounds Enabled",
          "Movement Sounds Enabled", "Ambient Sounds Enabled", "Dynamic Music Enabled", "Custom Play List Enabled"}},
        {kVideo, {"Use Direct3D", "Allow Resolution Switches", "Display Mode", "Cursor Mode"}},
        {kGeneral,
         {"Show Intro", "Blood", "Autosave Before TC", "Custom Resources", "Language", "Auto Save", "Auto Move",
          "Default Play Mode"}},
        {kKerv, {"Custom Resources"}},
        {kWorkspace, {"Detail Level", "View Panning", "Center On Event", "Scroll Speed"}},
    };
    for (const auto& [path, names] : numbers)
        for (const char* name : names)
            EXPECT_EQ(ReadRawValue(path, name), (RawValue{REG_DWORD, DwordBytes(0)})) << name;
    for (const char* name : {"Movement Speed", "Combat Resolve Mode"})
        EXPECT_EQ(ReadRawValue(kGeneral, name), (RawValue{REG_BINARY, std::string(1, '\0')})) << name;
    for (const char* name : {"Local Email address", "SMTP Server", "Attachment Directory"})
        EXPECT_EQ(ReadRawValue(kEmail, name), (RawValue{REG_SZ, TextBlock("")})) << name;
    EXPECT_EQ(ReadRawValue(kGeneral, "Resources Name"), (RawValue{REG_SZ, TextBlock("User\\Resources\\\\")}));
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
    SetText(kEmail, "Local Email address", "player@example.org");
    SetText(kEmail, "SMTP Server", "smtp.example.org");
    SetText(kEmail, "Attachment Directory", "D:\\Mail");

    Run([&](HWND window) {
        for (ControlId id :
             {kSoundFx, kMusic, kDirectSound, kSelectionSounds, kMovementSounds, kAmbientSounds, kEventSounds})
            EXPECT_TRUE(IsTicked(GetDlgItem(window, id))) << id;
        EXPECT_TRUE(IsTicked(GetDlgItem(window, kBlood)));
        EXPECT_FALSE(IsTicked(GetDlgItem(window, kShowIntro)));
        EXPECT_TRUE(IsTicked(GetDlgItem(window, kAutosave))) << "missing from an existing key: checked";
        EXPECT_FALSE(IsTicked(GetDlgItem(window, kKervBasedRules))) << "missing key: unchecked";
        EXPECT_EQ(ComboSelection(GetDlgItem(window, kDisplayLevelBox)), -1);
        EXPECT_EQ(ComboSelection(GetDlgItem(window, kCursorsBox)), 2);
        EXPECT_EQ(ComboSelection(GetDlgItem(window, kLanguageBox)), 10);
        EXPECT_EQ(ComboSelection(GetDlgItem(window, kMovementSpeedBox)), 2);
        EXPECT_EQ(ComboSelection(GetDlgItem(window, kCombatTypeBox)), -1);
        EXPECT_EQ(ControlText(GetDlgItem(window, kEmailField)), L"player@example.org");
        EXPECT_EQ(ControlText(GetDlgItem(window, kFolderField)), L"D:\\Mail");
        Type(GetDlgItem(window, kSmtpField), L"mail.example.org");
    });
    EXPECT_EQ(StoredDword(kGeneral, "Blood"), 1u);
    EXPECT_EQ(StoredDword(kSound, "Use DirectSound"), 1u) << "a missing value shown checked is written as 1";
    EXPECT_EQ(StoredDword(kWorkspace, "Detail Level"), 0xFFFFFFFFu);
    EXPECT_EQ(StoredDword(kGeneral, "Language"), 10u);
    EXPECT_EQ(ReadRawValue(kGeneral, "Combat Resolve Mode"), (RawValue{REG_BINARY, std::string(1, '\0')}));
    EXPECT_EQ(ReadRawValue(kGeneral, "Movement Speed")->data, std::string(1, '\x02'));
    EXPECT_EQ(ReadRawValue(kEmail, "SMTP Server")->data, TextBlock("mail.example.org"));
    EXPECT_EQ(ReadRawValue(kEmail, "Attachment Directory")->data, TextBlock("D:\\Mail\\")) << "a final backslash added";
    EXPECT_EQ(ReadRawValue(kEmail, "Local Email address")->data, TextBlock("player@example.org"));
}

TEST_F(SettingsEndToEnd, DisplayModes)
{
    // The adapter's modes differ between machines; take one it offers.
    std::wstring offered;
    Run(
        [&](HWND window) {
            const auto modes = ComboItems(GetDlgItem(window, kDisplayModeBox));
            ASSERT_GE(modes.size(), 2u);
            offered = modes.back();
        },
        kCancel);
    const int width = _wtoi(offered.c_str());
    const int height = _wtoi(offered.substr(offered.find(L'*') + 1).c_str());

    SetDword(kVideo, "Display Mode", 2);
    SetDword(kVideo, "Display Width", static_cast<std::uint32_t>(width));
    SetDword(kVideo, "Display Height", static_cast<std::uint32_t>(height));
    Run([&](HWND window) {
        HWND box = GetDlgItem(window, kDisplayModeBox);
        EXPECT_EQ(ComboItems(box).at(static_cast<std::size_t>(ComboSelection(box))), offered);
    });
    EXPECT_EQ(StoredDword(kVideo, "Display Mode"), 1u);
    EXPECT_EQ(StoredDword(kVideo, "Display Width"), static_cast<std::uint32_t>(width));
    EXPECT_EQ(StoredDword(kVideo, "Display Height"), static_cast<std::uint32_t>(height));

    SetDword(kVideo, "Display Width", 12345);  // a resolution no item holds: "800*600"
    Run([&](HWND window) { EXPECT_EQ(ComboSelection(GetDlgItem(window, kDisplayModeBox)), 1); });
    EXPECT_EQ(StoredDword(kVideo, "Display Width"), 800u);
    EXPECT_EQ(StoredDword(kVideo, "Display Height"), 600u);

    Run([&](HWND window) { Choose(GetDlgItem(window, kDisplayModeBox), 0); });
    EXPECT_EQ(StoredDword(kVideo, "Display Mode"), 0u);
    EXPECT_EQ(StoredDword(kVideo, "Display Width"), 800u) << "left as it was";

    DeleteKeyTree(kVideo);
    SetDword(kVideo, "Display Mode", 1);  // width and height missing: -1*-1, which no item holds
    Run([&](HWND window) { EXPECT_EQ(ComboSelection(GetDlgItem(window, kDisplayModeBox)), 1); }, kCancel);
}

TEST_F(SettingsEndToEnd, RootDirectoryAndRulesFamilies)
{
    MakeGameFolders({"User\\Resources\\Skirmish", "User\\Resources\\Skirmish2", "Kervane\\Legends", "Kervane\\Ashes"});
    WriteWholeFile(GameFolder() + "\\User\\Resources\\notes.txt", "a file, not a rules folder");
    SetText(kGeneral, "Root Directory", GameFolder());  // no final backslash
    SetText(kGeneral, "Resources Name", "User\\Resources\\Skirmish\\");
    SetText(kKerv, "Resources Name", "Kervane\\Ashes\\");
    SetDword(kGeneral, "Custom Resources", 1);
    SetDword(kKerv, "Custom Resources", 0);

    Run([&](HWND window) {
        HWND rules = GetDlgItem(window, kRulesBox);
        EXPECT_TRUE(IsWindowEnabled(rules));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, kKervBasedRules)));
        auto items = ComboItems(rules);
        std::sort(items.begin(), items.end());
        EXPECT_EQ(items, (std::vector<std::wstring>{L"Skirmish", L"Skirmish2"}));
        EXPECT_EQ(ComboItems(rules).at(static_cast<std::size_t>(ComboSelection(rules))), L"Skirmish")
            << "the exact name wins over Skirmish2";

        Click(GetDlgItem(window, kKervBasedRules));  // Kervane-based now
        ASSERT_TRUE(WaitUntil([&] {
            return ComboItems(rules).size() == 2 && ComboItems(rules)[0] != L"Skirmish" &&
                   ComboItems(rules)[0] != L"Skirmish2";
        }));
        items = ComboItems(rules);
        std::sort(items.begin(), items.end());
        EXPECT_EQ(items, (std::vector<std::wstring>{L"Ashes", L"Legends"}));
        EXPECT_EQ(ComboItems(rules).at(static_cast<std::size_t>(ComboSelection(rules))), L"Ashes");

        Click(GetDlgItem(window, kAllowCustomRules));  // not allowed any more: disabled, contents kept
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(rules); }));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kKervBasedRules)));
        EXPECT_EQ(ComboItems(rules).size(), 2u);
        EXPECT_TRUE(IsTicked(GetDlgItem(window, kKervBasedRules)));

        Click(GetDlgItem(window, kAllowCustomRules));  // allowed again: refilled from the Kervane family
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(rules) != FALSE; }));
        EXPECT_EQ(ComboItems(rules).at(static_cast<std::size_t>(ComboSelection(rules))), L"Ashes");
        const auto all = ComboItems(rules);
        Choose(rules, static_cast<int>(std::find(all.begin(), all.end(), L"Legends") - all.begin()));
    });
    EXPECT_EQ(ReadRawValue(kKerv, "Resources Name")->data, TextBlock("Kervane\\Legends\\"));
    EXPECT_EQ(ReadRawValue(kGeneral, "Resources Name")->data, WithZero("User\\Resources\\Skirmish\\"))
        << "the other family keeps its value";
    EXPECT_EQ(StoredDword(kKerv, "Custom Resources"), 1u);
    EXPECT_EQ(StoredDword(kGeneral, "Custom Resources"), 1u);
    EXPECT_TRUE(LogEvents().size() == 2u) << "the dictionary lines only: both rules folders could be listed";
}

TEST_F(SettingsEndToEnd, MissingRulesFolderIsLoggedWithTheGameRoot)
{
    SetText(kGeneral, "Root Directory", GameFolder() + "\\");
    Run([&](HWND window) { EXPECT_TRUE(ComboItems(GetDlgItem(window, kRulesBox)).empty()); }, kCancel);
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
        ASSERT_TRUE(IsTicked(GetDlgItem(window, kMusic)));
        Click(GetDlgItem(window, kMusic));
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
    MakeGameFolders({"Images"});
    WriteWholeFile(GameFolder() + "\\Images\\General.ilb", "active");
    WriteWholeFile(GameFolder() + "\\Images\\General_Old.ilb", "old");
    SetText(kGeneral, "Root Directory", GameFolder());
    SetDword(kSound, "Music Enabled", 1);
    for (ControlId finish : {kCancel, kCloseBox}) {
        Run(
            [&](HWND window) {
                Click(GetDlgItem(window, kMusic));
                Click(GetDlgItem(window, kViewBounds));
                Type(GetDlgItem(window, kEmailField), L"changed@example.org");
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
    MakeGameFolders({"Images"});
    const std::string images = GameFolder() + "\\Images\\";
    SetText(kGeneral, "Root Directory", GameFolder());

    // Only the old set aside: tick the box, and the old one becomes active.
    WriteWholeFile(images + "General.ilb", "bounds hidden");
    WriteWholeFile(images + "General_Old.ilb", "bounds shown");
    Run([&](HWND window) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, kViewBounds)));
        EXPECT_FALSE(IsTicked(GetDlgItem(window, kViewBounds)));
        Click(GetDlgItem(window, kViewBounds));
    });
    EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds shown");
    EXPECT_EQ(FileBytes(images + "General_New.ilb"), "bounds hidden");
    EXPECT_FALSE(FileBytes(images + "General_Old.ilb"));

    // The next start shows it ticked; OK without a change renames nothing.
    Run([&](HWND window) { EXPECT_TRUE(IsTicked(GetDlgItem(window, kViewBounds))); });
    EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds shown");
    EXPECT_EQ(FileBytes(images + "General_New.ilb"), "bounds hidden");

    // Untick: back again.
    Run([&](HWND window) { Click(GetDlgItem(window, kViewBounds)); });
    EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds hidden");
    EXPECT_EQ(FileBytes(images + "General_Old.ilb"), "bounds shown");
    EXPECT_FALSE(FileBytes(images + "General_New.ilb"));

    // Both set aside: ticked, and neither state renames anything, since no rename may overwrite.
    WriteWholeFile(images + "General_New.ilb", "third");
    for (bool untick : {false, true}) {
        Run([&](HWND window) {
            EXPECT_TRUE(IsTicked(GetDlgItem(window, kViewBounds)));
            if (untick) Click(GetDlgItem(window, kViewBounds));
        });
        EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds hidden");
        EXPECT_EQ(FileBytes(images + "General_Old.ilb"), "bounds shown");
        EXPECT_EQ(FileBytes(images + "General_New.ilb"), "third");
    }

    // The active library missing: the first rename fails, the second still runs.
    DeleteFileA((images + "General.ilb").c_str());
    DeleteFileA((images + "General_New.ilb").c_str());
    Run([&](HWND window) { Click(GetDlgItem(window, kViewBounds)); });
    EXPECT_EQ(FileBytes(images + "General.ilb"), "bounds shown");
    EXPECT_FALSE(FileBytes(images + "General_Old.ilb"));
    EXPECT_FALSE(FileBytes(images + "General_New.ilb"));
    Run([&](HWND window) { EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kViewBounds))); }, kCancel);
}

TEST_F(SettingsEndToEnd, WritesFollowTheApplyOrder)
{
    // Under a volatile key no lasting key can be made, so every number and
    // text write logs its key path: the log is the order of the writes.
    HKEY parent = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kCompanyKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &parent, nullptr),
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
