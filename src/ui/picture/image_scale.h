#pragma once
// Resizing a picture by averaging the area each new pixel covers: sharp when
// a large picture is made smaller, which is how the banner is drawn for the
// scales between its stored sizes.

#include <cstdint>
#include <vector>

// The longest side, before or after, that the exact integer averaging takes.
constexpr int kLongestLine = 1 << 20;

// pixels holds width x height 32-bit pixels, row by row; each of the four
// bytes of a pixel is averaged on its own. None when a size is out of range
// or the pixels are not width x height.
std::vector<std::uint32_t> ScaleByArea(const std::vector<std::uint32_t>& pixels, int width, int height, int newWidth,
                                       int newHeight);
