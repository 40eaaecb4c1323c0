#include "settings/item_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(ItemChoice, ItemChosenByStoredName)
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
