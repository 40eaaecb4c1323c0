#include "ui/layout/caption_room.h"

#include <gtest/gtest.h>

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

}  // namespace
