#include "log/log_line.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char* what;
    LogTime time;
    std::string text;
    std::string expected;
};

TEST(LogLine, LayoutAndPadding)
{
    const LineCase cases[] = {
        {"single digits are zero-padded",
         {2026, 3, 5, 7, 4, 9},
         "INI-file rebuilded!",
         "05/03/2026 - 07:04:09 - Event: INI-file rebuilded!\r\n"},
        {"midnight is hour 00", {2026, 12, 31, 0, 0, 0}, "x", "31/12/2026 - 00:00:00 - Event: x\r\n"},
        {"last second of the day", {1999, 1, 1, 23, 59, 59}, "y", "01/01/1999 - 23:59:59 - Event: y\r\n"},
        {"empty text keeps the blank after the colon",
         {2026, 12, 7, 6, 30, 0},
         "",
         "07/12/2026 - 06:30:00 - Event: \r\n"},
        {"CR and LF in the text are written unchanged",
         {2026, 12, 7, 6, 30, 0},
         "a\rb\nc",
         "07/12/2026 - 06:30:00 - Event: a\rb\nc\r\n"},
    };
    for (const LineCase& c : cases) EXPECT_EQ(FormatLogLine(c.time, c.text), c.expected) << c.what;
}

TEST(LogLine, PrefixIsThirtyOneBytes)
{
    const std::string line = FormatLogLine({2026, 12, 7, 6, 30, 0}, "");
    EXPECT_EQ(line.size(), 31u + 2u);
}

TEST(LogLine, EightBitTextIsCopiedByteForByte)
{
    const std::string text("Key \xC2\xE8\xE4\xE5\xEE \0 end\0", 16);  // a zero inside and a zero last
    const std::string line = FormatLogLine({2026, 1, 2, 3, 4, 5}, text);
    EXPECT_EQ(line.substr(31, text.size()), text);
    EXPECT_EQ(line.substr(31 + text.size()), "\r\n");
}

}  // namespace
