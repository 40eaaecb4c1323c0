#include "dictionary/languages.h"

#include <gtest/gtest.h>

namespace {

TEST(Languages, GameNumbersFromOne)
{
    const struct {
        std::int32_t number;
        const char* code;
    } cases[] = {
        {1, "EN"}, {2, "GE"},   {3, "FR"}, {4, "IT"},  {5, "PL"},  {6, "RU"},         {7, "JA"},         {8, "KO"},
        {9, "CH"}, {10, "CHs"}, {0, "EN"}, {11, "EN"}, {-1, "EN"}, {INT32_MIN, "EN"}, {INT32_MAX, "EN"},
    };
    for (const auto& c : cases) EXPECT_EQ(LanguageCodeFor(c.number), c.code) << c.number;
}

struct CodePageCase {
    const char* languageCode;
    unsigned codePage;
};

class UiCodePageTest : public testing::TestWithParam<CodePageCase> {};

TEST_P(UiCodePageTest, GivesTheCodePageOfTheInterfaceLanguage)
{
    EXPECT_EQ(UiCodePage(GetParam().languageCode), GetParam().codePage);
}

INSTANTIATE_TEST_SUITE_P(Languages, UiCodePageTest,
                         testing::Values(CodePageCase{"EN", 1252}, CodePageCase{"GE", 1252}, CodePageCase{"FR", 1252},
                                         CodePageCase{"IT", 1252}, CodePageCase{"PL", 1250}, CodePageCase{"RU", 1251},
                                         CodePageCase{"JA", 932}, CodePageCase{"KO", 949}, CodePageCase{"CH", 950},
                                         CodePageCase{"CHs", 936}, CodePageCase{"CHS", 1252}, CodePageCase{"ru", 1252},
                                         CodePageCase{"", 1252}, CodePageCase{"XX", 1252}));

}  // namespace
