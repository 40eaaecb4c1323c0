#include "resources/rules_name.h"

#include <gtest/gtest.h>

#include "game_facts.h"

namespace {

TEST(RulesName, CurrentNameFromStoredValue)
{
    const struct {
        const char* stored;
        const char* prefix;
        const char* name;
    } cases[] = {
        {"User\\Resources\\Skirmish\\", "User\\Resources\\", "Skirmish"},
        {"User\\Resources\\A\\B\\", "User\\Resources\\", "AB"},
        {"user\\resources\\Skirmish\\", "User\\Resources\\", "userresourcesSkirmish"},
        {"Kervane\\Legends\\", "Kervane\\", "Legends"},
        {"Kervane\\Kervane\\X\\", "Kervane\\", "X"},  // every occurrence goes
        {"User\\Resources\\", "User\\Resources\\", ""},
        {"", "Kervane\\", ""},
        {"Kervane\\Skirmish\\", "User\\Resources\\", "KervaneSkirmish"},
    };
    for (const auto& c : cases) EXPECT_EQ(CurrentRulesName(c.stored, c.prefix), c.name) << c.stored;
}

TEST(RulesName, FamiliesAndStoredValues)
{
    const RulesFamily& kervane = RulesFamilyFor(true);
    const RulesFamily& custom = RulesFamilyFor(false);
    EXPECT_STREQ(kervane.folder, "Kervane\\");
    EXPECT_EQ(KeyPath(kervane.subKey), kSettingsKey + "\\Kerv ++  ");
    EXPECT_STREQ(custom.folder, "User\\Resources\\");
    EXPECT_EQ(KeyPath(custom.subKey), kSettingsKey + "\\General");
    EXPECT_EQ(StoredRulesName(custom, "Skirmish"), "User\\Resources\\Skirmish\\");
    EXPECT_EQ(StoredRulesName(kervane, "Legends"), "Kervane\\Legends\\");
    EXPECT_EQ(StoredRulesName(custom, ""), "User\\Resources\\\\") << "no selection: one more backslash";
}

}  // namespace
