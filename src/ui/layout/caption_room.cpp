#include "ui/layout/caption_room.h"

#include <algorithm>

namespace {

// Space kept free between a grown caption and what lies to its right: the
// next control, or the etched line of a frame.
constexpr int kGapToNeighbour = 4;
constexpr int kFrameInset = 6;

bool SharesARow(const LayoutBox& a, const LayoutBox& b)
{
    return a.y < b.Bottom() && b.y < a.Bottom();
}

}  // namespace

bool Holds(const LayoutBox& frame, const LayoutBox& box)
{
    return box.x >= frame.x && box.x < frame.Right() && box.y >= frame.y && box.y < frame.Bottom();
}

int FurthestRightEdge(const std::vector<LayoutBox>& controls, std::size_t index, const std::vector<LayoutBox>& frames,
                      int windowWidth)
{
    const LayoutBox& box = controls[index];
    int edge = windowWidth - kFrameInset;
    for (const LayoutBox& frame : frames)
        if (Holds(frame, box)) edge = std::min(edge, frame.Right() - kFrameInset);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const LayoutBox& other = controls[i];
        if (i != index && other.x > box.x && SharesARow(box, other)) edge = std::min(edge, other.x - kGapToNeighbour);
    }
    return std::max(edge, box.Right());
}
