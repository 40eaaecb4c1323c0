#include "dictionary/built_in_texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "rebuilt_dictionary.h"

namespace {

std::string ReadReference()
{
    std::ifstream file(KERVANE_REFERENCE_DICTIONARY, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(BuiltInTexts, RebuiltDictionaryMatchesTheReferenceByteForByte)
{
    const std::string reference = ReadReference();
    ASSERT_FALSE(reference.empty());
    const std::string rebuilt = RebuiltDictionaryBytes();
    EXPECT_EQ(rebuilt.size(), reference.size());
    EXPECT_TRUE(rebuilt == reference);
    std::size_t lines = 0;
    for (std::size_t at = rebuilt.find("\r\n"); at != std::string::npos; at = rebuilt.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 1232u);
    EXPECT_EQ(rebuilt.substr(rebuilt.size() - 8), "CHs = \r\n");
    EXPECT_EQ(rebuilt.substr(0, 3), "[10") << "no byte-order mark";
}

TEST(BuiltInTexts, KeysAreUniqueAndInTheirFixedOrder)
{
    const auto& rows = BuiltInTexts();
    ASSERT_EQ(rows.size(), 112u);
    std::set<std::string> keys;
    for (const BuiltInText& row : rows) EXPECT_TRUE(keys.insert(row.key).second) << row.key;
    EXPECT_EQ(rows.front().key, "100");
    EXPECT_EQ(rows[47].key, "104hlp");
    EXPECT_EQ(rows.back().key, "64");
}

TEST(BuiltInTexts, TooltipsHaveRussianTextOnly)
{
    for (const BuiltInText& row : BuiltInTexts()) {
        const bool tooltip = row.key.size() > 3 && row.key.compare(row.key.size() - 3, 3, "hlp") == 0;
        EXPECT_EQ(row.english.empty(), tooltip) << row.key;
        EXPECT_FALSE(row.russian.empty()) << row.key;
    }
}

TEST(BuiltInTexts, RussianTextsAreWindows1251)
{
    // "Видео" and "Оконный" as Windows-1251 bytes.
    EXPECT_EQ(BuiltInTexts()[0].russian, "\xC2\xE8\xE4\xE5\xEE");
    EXPECT_EQ(BuiltInTexts()[18].key, "30");
    EXPECT_EQ(BuiltInTexts()[18].russian, "\xCE\xEA\xEE\xED\xED\xFB\xE9");
}

}  // namespace
