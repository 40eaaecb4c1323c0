#include "settings/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game_facts.h"

namespace {

TEST(Catalogue, KeyPathsEndWithTheGameNames)
{
    EXPECT_EQ(KeyPath(SubKey::Video), kSettingsKey + "\\Video");
    EXPECT_EQ(KeyPath(SubKey::Email), kSettingsKey + "\\Email");
    EXPECT_EQ(KeyPath(SubKey::Kerv), kSettingsKey + "\\Kerv ++  ");
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
    // clang-format off
    const std::vector<std::string> expected = {
        "Sound Effects Enabled", "Music Enabled", "Use DirectSound", "Selection Sounds Enabled",
        "Movement Sounds Enabled", "Ambient Sounds Enabled", "Dynamic Music Enabled", "Use Direct3D",
        "Allow Resolution Switches", "Show Intro", "Blood", "Autosave Before TC",
        "Custom Resources", "Custom Resources", "Display Mode", "Detail Level",
        "Cursor Mode", "Language", "Resources Name", "Local Email address",
        "SMTP Server", "Attachment Directory", "Auto Save", "Auto Move",
        "View Panning", "Center On Event", "Scroll Speed", "Movement Speed",
        "Default Play Mode", "Combat Resolve Mode", "Custom Play List Enabled", "",
    };
    // clang-format on
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

}  // namespace
