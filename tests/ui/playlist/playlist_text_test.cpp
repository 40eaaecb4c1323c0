#include "ui/playlist/playlist_text.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(PlaylistText, LineEnds)
{
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"a.mp3\r\nb.mp3\r\n", {"a.mp3", "b.mp3"}},
        {"a.mp3\nb.mp3\n", {"a.mp3", "b.mp3"}},
        {"a.mp3\rb.mp3\r", {"a.mp3", "b.mp3"}},
        {"a.mp3\r\nb.mp3", {"a.mp3", "b.mp3"}},                 // the last line needs no end
        {std::string("a.mp3\0b.mp3", 11), {"a.mp3", "b.mp3"}},  // a zero byte ends a line
        {"a\r\n\r\nb", {"a", "", "b"}},                         // an empty line is an empty text
        {"a\n\rb", {"a", "", "b"}},                             // LF CR is two line ends
        {"\r\n", {""}},
        {"", {}},
        {" a.mp3 \t\r\n", {" a.mp3 \t"}},  // nothing trimmed
    };
    for (const auto& c : cases) EXPECT_EQ(ReadPlaylistLines(c.bytes), c.lines) << c.bytes;
}

TEST(PlaylistText, WrittenWithCrLfAfterEverySong)
{
    EXPECT_EQ(PlaylistText({"b.mp3", "a.mp3"}), "b.mp3\r\na.mp3\r\n");
    EXPECT_EQ(PlaylistText({}), "");
    EXPECT_EQ(ReadPlaylistLines(PlaylistText({"x y.MP3", "\xE9t\xE9.mp3"})), (Lines{"x y.MP3", "\xE9t\xE9.mp3"}));
}

TEST(PlaylistText, LongLinesAndManyLines)
{
    const std::string megabyte(1 << 20, 'm');
    EXPECT_EQ(ReadPlaylistLines(megabyte + "\n" + megabyte), (Lines{megabyte, megabyte}));
    std::string many;
    for (int i = 0; i < 100000; ++i) many += "song.mp3\r\n";
    EXPECT_EQ(ReadPlaylistLines(many).size(), 100000u);
}

}  // namespace
