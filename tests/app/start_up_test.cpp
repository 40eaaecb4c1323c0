#include <gtest/gtest.h>

#include "app/main_sequence.h"
#include "app/process_values.h"
#include "game_facts.h"
#include "wine_fixtures.h"

namespace {

TEST(StartUp, ProcessValuesStartAsDescribed)
{
    LanguageCode = "RU";
    GameRoot = "C:\\";
    QuitRequested = true;
    InitialiseProcessValues();
    EXPECT_EQ(LanguageCode, "EN");
    EXPECT_EQ(DictionaryPath, "Dict\\Setup.ini");
    EXPECT_EQ(LogPath, "Setup.log");
    ASSERT_EQ(DisplayModeList.size(), 1000u);
    for (const std::string& entry : DisplayModeList) EXPECT_TRUE(entry.empty());
    EXPECT_EQ(LastModeIndex, 999);
    EXPECT_EQ(GameRoot, "");
    EXPECT_EQ(CurrentDisplayMode, "");
    EXPECT_TRUE(ImageSwitchAvailable);
    EXPECT_FALSE(QuitRequested);
}

TEST(StartUp, InterfaceLanguageFollowsTheGameSetting)
{
    ScratchFolder folder;
    const struct {
        std::uint32_t stored;
        const char* code;
    } cases[] = {{1, "EN"}, {2, "GE"}, {3, "FR"},   {4, "IT"}, {5, "PL"},  {6, "RU"},          {7, "JA"},
                 {8, "KO"}, {9, "CH"}, {10, "CHs"}, {0, "EN"}, {11, "EN"}, {0xFFFFFFFFu, "EN"}};
    for (const auto& c : cases) {
        InitialiseProcessValues();
        SetDword(kSettingsKey + "\\General", "Language", c.stored);
        SelectUiLanguage();
        EXPECT_EQ(LanguageCode, c.code) << c.stored;
    }

    InitialiseProcessValues();
    LanguageCode = "RU";
    DeleteKeyTree(kSettingsKey + "\\General");
    SelectUiLanguage();
    EXPECT_EQ(LanguageCode, "EN") << "missing General key";
    EXPECT_EQ(LogEvents().size(), 0u) << "a missing key is not logged";
    DeleteKeyTree(kSettingsKey);
}

}  // namespace
