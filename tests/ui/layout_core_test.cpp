// The portable rules behind the scaled windows: how far a caption may grow,
// and how the banner is made smaller.

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/caption_room.h"
#include "ui/image_scale.h"

namespace {

TEST(CaptionRoom, StopsShortOfTheNextControlOnItsRowOrItsFrame)
{
    const std::vector<LayoutBox> frames = {{8, 177, 295, 280}, {310, 382, 296, 125}};
    const std::vector<LayoutBox> controls = {
        {17, 200, 50, 20},    // 0: "Language:"
        {110, 195, 180, 20},  // 1: its list, on the same row
        {460, 430, 100, 20},  // 2: "Movement Sounds", nothing to its right
        {160, 325, 140, 20},  // 3: "View bounds", already reaching its frame's edge
        {17, 300, 120, 20},   // 4: "Autosave"
        {160, 310, 120, 20},  // 5: half a row lower, still in the way of 4
        {17, 600, 100, 20},   // 6: outside every frame
    };
    const struct {
        std::size_t index;
        int edge;
    } cases[] = {{0, 106}, {2, 600}, {3, 300}, {4, 156}, {6, 609}};
    for (const auto& c : cases) EXPECT_EQ(FurthestRightEdge(controls, c.index, frames, 615), c.edge) << c.index;
}

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
