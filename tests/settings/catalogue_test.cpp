#include "settings/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(Catalogue, KeyPathsEndWithTheGameNames)
{
    EXPECT_EQ(KeyPath(SubKey::Video), "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune\\Video");
    EXPECT_EQ(KeyPath(SubKey::Email), "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune\\Email");
    EXPECT_EQ(KeyPath(SubKey::Kerv), "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune\\Kerv ++  ");
}

TEST(Catalogue, LoadAndApplyOrdersAreCompleteAndDistinct)
{
    const auto& entries = SettingsCatalogue();
    ASSERT_EQ(entries.size(), 33u);
    for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].loadOrder, static_cast<int>(i) + 1);

    const auto applied = ApplyOrder();
    ASSERT_EQ(applied.size(), 32u) << "everything but the root directory is written";
    for (std::size_t i = 0; i < applied.size(); ++i) EXPECT_EQ(applied[i].applyOrder, static_cast<int>(i) + 1);
}

TEST(Catalogue, ApplyOrderFollowsTheGroupsOfTheWriteBack)
{
    // The values written first to last, as the game's editor always wrote them.
    const std::vector<std::string> expected = {"Sound Effects Enabled",
                                               "Music Enabled",
                                               "Use DirectSound",
                                               "Selection Sounds Enabled",
                                               "Movement Sounds Enabled",
                                               "Ambient Sounds Enabled",
                                               "Dynamic Music Enabled",
                                               "Use Direct3D",
                                               "Allow Resolution Switches",
                                               "Show Intro",
                                               "Blood",
                                               "Autosave Before TC",
                                               "Custom Resources",
                                               "Custom Resources",
                                               "Display Mode",
                                               "Detail Level",
                                               "Cursor Mode",
                                               "Language",
                                               "Resources Name",
                                               "Local Email address",
                                               "SMTP Server",
                                               "Attachment Directory",
                                               "Auto Save",
                                               "Auto Move",
                                               "View Panning",
                                               "Center On Event",
                                               "Scroll Speed",
                                               "Movement Speed",
                                               "Default Play Mode",
                                               "Combat Resolve Mode",
                                               "Custom Play List Enabled",
                                               ""};
    std::vector<std::string> names;
    for (const SettingEntry& entry : ApplyOrder()) names.push_back(entry.valueName);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(ApplyOrder()[12].subKey, SubKey::General);
    EXPECT_EQ(ApplyOrder()[13].subKey, SubKey::Kerv);
}

TEST(Catalogue, ByteValuesAreTheTwoOneByteChoices)
{
    std::set<std::string> bytes;
    for (const SettingEntry& entry : SettingsCatalogue())
        if (entry.kind == ValueKind::Byte) bytes.insert(entry.valueName);
    EXPECT_EQ(bytes, (std::set<std::string>{"Movement Speed", "Combat Resolve Mode"}));
}

TEST(Catalogue, BackslashRules)
{
    const struct {
        const char* text;
        const char* root;
        const char* folder;
    } cases[] = {
        {"D:\\Play", "D:\\Play\\", "D:\\Play\\"},
        {"D:\\Play\\", "D:\\Play\\", "D:\\Play\\"},
        {"", "\\", ""},
        {"\\", "\\", "\\"},
        {"D:\\Mail/", "D:\\Mail/\\", "D:\\Mail/\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GameRootFrom(c.text), c.root) << c.text;
        EXPECT_EQ(FolderWithBackslash(c.text), c.folder) << c.text;
    }
}

TEST(Catalogue, StoredModeTextIsSignedDecimal)
{
    EXPECT_EQ(StoredModeText(1024, 768), "1024*768");
    EXPECT_EQ(StoredModeText(-1, -1), "-1*-1");
    EXPECT_EQ(StoredModeText(0, 0), "0*0");
}

TEST(Catalogue, ModeTextSplitsIntoWidthAndHeight)
{
    const struct {
        const char* text;
        std::int32_t width;
        std::int32_t height;
    } cases[] = {
        {"1024*768", 1024, 768},
        {"800*600", 800, 600},
        {"1280*1280", 1280, 1280},
        {"12*12*5", 12, 5},  // every "12*" is removed before the height is read
        {"Window", 0, 0},    // no "*": no width, and the rest holds no number
        {"640", 0, 640},
        {" \t-5*+7", -5, 7},
        {"*768", 0, 768},
        {"", 0, 0},
        {"99999999999*3", INT32_MAX, 3},
        {"-99999999999*3", INT32_MIN, 3},
    };
    for (const auto& c : cases) {
        const auto [width, height] = SplitModeText(c.text);
        EXPECT_EQ(width, c.width) << c.text;
        EXPECT_EQ(height, c.height) << c.text;
    }
}

TEST(Catalogue, ItemChosenByStoredName)
{
    const std::vector<std::string> rules = {"Skirmish", "Skirmish2", "Campaign"};
    const std::vector<std::string> reversed = {"Skirmish2", "Skirmish"};
    const std::vector<std::string> modes = {"Window", "800*600", "1024*768", "11024*768"};
    EXPECT_EQ(ChooseItemByName(rules, "Skirmish", 0), 0) << "an exact name wins over a later containing one";
    EXPECT_EQ(ChooseItemByName(reversed, "Skirmish", 0), 1);
    EXPECT_EQ(ChooseItemByName(rules, "kirm", 0), 1) << "otherwise the last containing item";
    EXPECT_EQ(ChooseItemByName(rules, "Nothing", 0), -1);
    EXPECT_EQ(ChooseItemByName(rules, "", 0), -1) << "an empty name matches nothing";
    EXPECT_EQ(ChooseItemByName(rules, "skirmish", 0), -1) << "case matters";
    EXPECT_EQ(ChooseItemByName(modes, "1024*768", 1), 2);
    EXPECT_EQ(ChooseItemByName(modes, "24*768", 1), 3);
    EXPECT_EQ(ChooseItemByName(modes, "Window", 1), -1) << "the windowed entry is never chosen by name";
}

}  // namespace
