#include "app/ui_language.h"

#include <gtest/gtest.h>

namespace {

TEST(UiLanguage, GameNumbersFromOne)
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

}  // namespace
