#include "display/mode_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

ScreenMode Mode(int width, int height, int depth, int refresh = 60)
{
    return ScreenMode{static_cast<std::int16_t>(width), static_cast<std::int16_t>(height),
                      static_cast<std::int16_t>(depth), static_cast<std::int16_t>(refresh)};
}

struct GroupCase {
    unsigned x1r5g5b5, r5g6b5, x8r8g8b8;
    ScanFormat sixteenBitFormat;
    unsigned sixteenBitCount;
};

class ScanGroupsTest : public testing::TestWithParam<GroupCase> {};

TEST_P(ScanGroupsTest, ReadsOneSixteenBitGroupThenTheThirtyTwoBitOne)
{
    const GroupCase& c = GetParam();
    const std::vector<ScanGroup> groups = ScanGroups(c.x1r5g5b5, c.r5g6b5, c.x8r8g8b8);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].format, c.sixteenBitFormat);
    EXPECT_EQ(groups[0].count, c.sixteenBitCount);
    EXPECT_EQ(groups[0].depth, 16);
    EXPECT_EQ(groups[1].format, ScanFormat::X8R8G8B8);
    EXPECT_EQ(groups[1].count, c.x8r8g8b8);
    EXPECT_EQ(groups[1].depth, 32);
}

INSTANTIATE_TEST_SUITE_P(Counts, ScanGroupsTest,
                         testing::Values(GroupCase{3, 5, 7, ScanFormat::X1R5G5B5, 3},  // R5G6B5 not read
                                         GroupCase{1, 0, 2, ScanFormat::X1R5G5B5, 1},
                                         GroupCase{0, 5, 7, ScanFormat::R5G6B5, 5},
                                         GroupCase{0, 0, 4, ScanFormat::R5G6B5, 0},
                                         GroupCase{2, 9, 0, ScanFormat::X1R5G5B5, 2}));

struct TextCase {
    int width, height;
    const char* text;
};

class ModeTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ModeTextTest, WritesWidthStarHeightInPlainDecimal)
{
    EXPECT_EQ(ModeText(GetParam().width, GetParam().height), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ModeTextTest,
                         testing::Values(TextCase{1024, 768, "1024*768"}, TextCase{1920, 1080, "1920*1080"},
                                         TextCase{1001, 5, "1001*5"}, TextCase{10000, 100, "10000*100"},
                                         TextCase{800, 600, "800*600"}));

TEST(BuildModeTexts, KeepsEveryRepeatOfAModeAndTheBoxShowsItOnce)
{
    std::vector<ScreenMode> modes;
    for (int depth : {16, 32}) {
        for (int refresh : {60, 75, 85}) modes.push_back(Mode(1024, 768, depth, refresh));
    }

    const Texts texts = BuildModeTexts("Window", modes);

    const Texts expected{"Window", "800*600", "1024*768", "1024*768", "1024*768", "1024*768", "1024*768", "1024*768"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(DistinctModeTexts(texts), (Texts{"Window", "800*600", "1024*768"}));
}

TEST(BuildModeTexts, SmallModesNeverComeFromTheAdapter)
{
    std::vector<ScreenMode> modes;
    for (int depth : {16, 32}) {
        modes.push_back(Mode(640, 480, depth));
        modes.push_back(Mode(800, 600, depth));
        modes.push_back(Mode(1000, 750, depth));
    }

    const Texts texts = BuildModeTexts("Window", modes);

    EXPECT_EQ(texts, (Texts{"Window", "800*600"}));
}

TEST(BuildModeTexts, EightHundredBySixHundredIsOfferedEvenWithoutTheAdapterHavingIt)
{
    const Texts texts = BuildModeTexts("Window", {Mode(1280, 1024, 32), Mode(800, 600, 32)});

    EXPECT_EQ(texts, (Texts{"Window", "800*600", "1280*1024"}));
}

struct FilterCase {
    int width, depth;
    bool offered;
};

class ModeFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(ModeFilterTest, OffersOnlyModesWiderThanAThousandWithMoreThanEightBits)
{
    const FilterCase& c = GetParam();
    const Texts texts = BuildModeTexts("Window", {Mode(c.width, 700, c.depth)});

    const Texts expected = c.offered ? Texts{"Window", "800*600", ModeText(c.width, 700)} : Texts{"Window", "800*600"};
    EXPECT_EQ(texts, expected);
}

INSTANTIATE_TEST_SUITE_P(WidthAndDepth, ModeFilterTest,
                         testing::Values(FilterCase{1000, 32, false}, FilterCase{1001, 32, true},
                                         FilterCase{1001, 16, true}, FilterCase{999, 16, false},
                                         FilterCase{1920, 8, false}, FilterCase{1920, 4, false},
                                         FilterCase{1001, 8, false}, FilterCase{1920, 0, false},
                                         FilterCase{1920, 9, true}, FilterCase{1920, 16, true},
                                         FilterCase{1920, 32, true}));

TEST(BuildModeTexts, SortsModesInTextOrderNotByNumber)
{
    const std::vector<ScreenMode> modes{Mode(1920, 1080, 32), Mode(1600, 900, 32),  Mode(1280, 720, 32),
                                        Mode(1024, 768, 32),  Mode(1600, 1200, 32), Mode(1280, 768, 32),
                                        Mode(1152, 864, 32),  Mode(1280, 1024, 32)};

    const Texts texts = BuildModeTexts("Window", modes);

    const Texts expected{"Window",   "800*600",  "1024*768",  "1152*864", "1280*1024",
                         "1280*720", "1280*768", "1600*1200", "1600*900", "1920*1080"};
    EXPECT_EQ(texts, expected);
}

TEST(BuildModeTexts, FixedEntriesKeepTheirPlacesWhateverTheirBytes)
{
    // "Оконный" in code page 1251: its bytes sort after every digit, and
    // "800*600" sorts after "1024*768"; neither moves.
    const std::string windowed = "\xCE\xEA\xEE\xED\xED\xFB\xE9";

    const Texts texts = BuildModeTexts(windowed, {Mode(1280, 1024, 16), Mode(1024, 768, 32)});

    EXPECT_EQ(texts, (Texts{windowed, "800*600", "1024*768", "1280*1024"}));
}

TEST(BuildModeTexts, NoModesLeaveTheTwoFixedEntries)
{
    EXPECT_EQ(BuildModeTexts("Window", {}), (Texts{"Window", "800*600"}));
}

struct CapCase {
    int narrowModes;  // rejected modes ahead of the wide ones
    int wideModes;    // modes that pass the filter
    std::size_t entries;
};

class ModeListCapTest : public testing::TestWithParam<CapCase> {};

TEST_P(ModeListCapTest, TakesTheFirstAcceptedModesUpToTheCapacity)
{
    const CapCase& c = GetParam();
    std::vector<ScreenMode> modes;
    modes.reserve(static_cast<std::size_t>(c.narrowModes) + static_cast<std::size_t>(c.wideModes));
    for (int i = 0; i < c.narrowModes; ++i) modes.push_back(Mode(640, 480, 32));
    for (int i = 0; i < c.wideModes; ++i) modes.push_back(Mode(2000 + i, 1000, 32));

    const Texts texts = BuildModeTexts("Window", modes);

    ASSERT_EQ(texts.size(), c.entries);
    EXPECT_EQ(texts[0], "Window");
    EXPECT_EQ(texts[1], "800*600");
    const int taken = static_cast<int>(c.entries) - 2;
    for (int i = 0; i < c.wideModes; ++i) {
        const bool present = std::find(texts.begin(), texts.end(), ModeText(2000 + i, 1000)) != texts.end();
        EXPECT_EQ(present, i < taken) << "mode " << i;
    }
    EXPECT_TRUE(std::is_sorted(texts.begin() + 2, texts.end()));
}

INSTANTIATE_TEST_SUITE_P(Counts, ModeListCapTest,
                         testing::Values(CapCase{0, 997, 999}, CapCase{0, 998, 1000}, CapCase{0, 999, 1000},
                                         CapCase{0, 1500, 1000}, CapCase{500, 998, 1000}, CapCase{500, 1200, 1000}));

struct DistinctCase {
    const char* name;
    Texts texts;
    Texts distinct;
};

class DistinctModeTextsTest : public testing::TestWithParam<DistinctCase> {};

TEST_P(DistinctModeTextsTest, KeepsEachTextAtItsFirstPlace)
{
    EXPECT_EQ(DistinctModeTexts(GetParam().texts), GetParam().distinct);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DistinctModeTextsTest,
    testing::Values(DistinctCase{"Empty", {}, {}}, DistinctCase{"WindowedOnly", {"Window"}, {"Window"}},
                    DistinctCase{"NoRepeats", {"Window", "800*600", "1024*768"}, {"Window", "800*600", "1024*768"}},
                    DistinctCase{"RepeatsAfterTheirFirst",
                                 {"Window", "800*600", "1024*768", "1024*768", "1280*1024", "1280*1024"},
                                 {"Window", "800*600", "1024*768", "1280*1024"}},
                    DistinctCase{"LaterCopyOfEntryZero", {"Window", "800*600", "Window"}, {"Window", "800*600"}},
                    DistinctCase{"EntryOneLikeEntryZero", {"800*600", "800*600", "1024*768"}, {"800*600", "1024*768"}},
                    DistinctCase{"CaseMatters", {"Window", "window", "WINDOW"}, {"Window", "window", "WINDOW"}},
                    DistinctCase{"OrderKept", {"b", "a", "b", "c", "a"}, {"b", "a", "c"}}),
    [](const testing::TestParamInfo<DistinctCase>& info) { return std::string(info.param.name); });

TEST(ModeText, StoredResolutionIsSignedDecimal)
{
    EXPECT_EQ(ModeText(1024, 768), "1024*768");
    EXPECT_EQ(ModeText(-1, -1), "-1*-1");
    EXPECT_EQ(ModeText(0, 0), "0*0");
}

TEST(SplitModeText, WidthAndHeightAsTheGamesOldEditorReadThem)
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

}  // namespace
