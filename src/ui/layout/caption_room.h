#pragma once
// Where a caption may take more room than its control was given. The layout
// was drawn for narrower fonts than most systems have: a caption that does
// not fit may widen its control to the right, into space no other control
// uses, so the player reads it whole. Lengths are in 96-DPI layout pixels.

#include <cstddef>
#include <vector>

struct LayoutBox {
    int x = 0, y = 0, width = 0, height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
};

// Whether the frame holds the box: its top-left corner lies inside.
bool Holds(const LayoutBox& frame, const LayoutBox& box);

// The right edge up to which controls[index] may grow: short of the nearest
// control to its right on any of its rows, and inside the frame that holds it
// (or the window). Never left of the control's own right edge.
int FurthestRightEdge(const std::vector<LayoutBox>& controls, std::size_t index, const std::vector<LayoutBox>& frames,
                      int windowWidth);
