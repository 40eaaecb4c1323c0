// How the banner is made smaller for the scales between its stored sizes.

#include "ui/picture/image_scale.h"

#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
