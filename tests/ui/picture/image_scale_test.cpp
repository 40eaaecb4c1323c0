// How the banner is made smaller for the scales between its stored sizes.

#include "ui/picture/image_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TEST(ImageScale, AveragesTheAreaEachNewPixelCovers)
{
    // Two by two pixels into one: each byte is the mean of its four.
    EXPECT_EQ(ScaleByArea({0x00000000, 0x04080C10, 0x04080C10, 0x00000000}, 2, 2, 1, 1),
              std::vector<std::uint32_t>{0x02040608});
    // Three into two: the middle pixel is shared half and half.
    EXPECT_EQ(ScaleByArea({0x00000000, 0x000000FF, 0x00000000}, 3, 1, 2, 1),
              (std::vector<std::uint32_t>{0x00000055, 0x00000055}));
    // The same size gives the same pixels; a mismatched buffer gives none.
    const std::vector<std::uint32_t> picture = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(ScaleByArea(picture, 3, 2, 3, 2), picture);
    EXPECT_TRUE(ScaleByArea(picture, 4, 2, 2, 1).empty());
    EXPECT_TRUE(ScaleByArea(picture, 3, 2, 0, 1).empty());
}

TEST(ImageScale, TheBannerAtEveryScaleKeepsItsWhite)
{
    // A white picture stays white at any size: the weights of each new pixel sum to one.
    const std::vector<std::uint32_t> white(std::size_t{1194} * 318, 0xFFFFFFFF);
    for (const auto& size : {std::pair{896, 239}, std::pair{746, 199}, std::pair{1343, 358}}) {
        const std::vector<std::uint32_t> scaled = ScaleByArea(white, 1194, 318, size.first, size.second);
        ASSERT_EQ(scaled.size(), static_cast<std::size_t>(size.first * size.second));
        EXPECT_EQ(std::count(scaled.begin(), scaled.end(), 0xFFFFFFFFu), static_cast<long>(scaled.size()))
            << size.first;
    }
}

// Each byte of a new pixel is the exact mean of the area it covers, rounded
// half up, across and then down, as plain integer division gives it: the
// same on every processor, whatever the sizes.
std::vector<std::uint32_t> DividedMeans(const std::vector<std::uint32_t>& pixels, int lines, int length, int newLength,
                                        bool across)
{
    std::vector<std::uint32_t> result(static_cast<std::size_t>(lines) * newLength);
    for (int line = 0; line < lines; ++line)
        for (int i = 0; i < newLength; ++i) {
            const std::int64_t begin = std::int64_t{i} * length, end = begin + length;
            std::uint32_t pixel = 0;
            for (int channel = 0; channel < 4; ++channel) {
                std::int64_t sum = 0;
                for (std::int64_t s = begin / newLength; s * newLength < end; ++s) {
                    const std::uint32_t value =
                        pixels[static_cast<std::size_t>(across ? std::int64_t{line} * length + s : s * lines + line)];
                    sum += (std::min((s + 1) * newLength, end) - std::max(s * newLength, begin)) *
                           ((value >> (8 * channel)) & 0xFF);
                }
                pixel |= static_cast<std::uint32_t>((2 * sum + length) / (2 * std::int64_t{length})) << (8 * channel);
            }
            result[static_cast<std::size_t>(across ? line * newLength + i : i * lines + line)] = pixel;
        }
    return result;
}

TEST(ImageScale, EveryPixelIsTheExactMeanRoundedHalfUp)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const int width = 1 + static_cast<int>(random() % 40), height = 1 + static_cast<int>(random() % 40);
        const int newWidth = 1 + static_cast<int>(random() % 40), newHeight = 1 + static_cast<int>(random() % 40);
        std::vector<std::uint32_t> picture(static_cast<std::size_t>(width) * height);
        for (std::uint32_t& pixel : picture) pixel = static_cast<std::uint32_t>(random());
        const auto rows = DividedMeans(picture, height, width, newWidth, true);
        ASSERT_EQ(ScaleByArea(picture, width, height, newWidth, newHeight),
                  DividedMeans(rows, newWidth, height, newHeight, false))
            << width << "x" << height << " to " << newWidth << "x" << newHeight;
    }
    // The longest line it takes, where the sums are largest.
    const std::vector<std::uint32_t> line(kLongestLine, 0xFFFEFD01);
    EXPECT_EQ(ScaleByArea(line, kLongestLine, 1, 3, 1), std::vector<std::uint32_t>(3, 0xFFFEFD01));
    EXPECT_TRUE(ScaleByArea(std::vector<std::uint32_t>(kLongestLine + 1), kLongestLine + 1, 1, 3, 1).empty());
}

}  // namespace
