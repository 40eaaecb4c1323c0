#pragma once
// Reads the PNG pictures the program carries (the banner drawn at twice its
// size): 8 bits per channel, RGB or RGBA, not interlaced. zlib inflates the
// image data; the chunks and row filters are read here, so that a start at a
// high DPI needs neither COM nor the Windows Imaging Component, which cost a
// start there tens of milliseconds. Anything else, and any damaged picture,
// reads as no picture.

#include <cstdint>
#include <string_view>
#include <vector>

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // top row first; 0xAARRGGBB, as a 32-bit DIB holds them
};

// The picture, or an empty one when the bytes are not a picture this reads whole.
Picture DecodePng(std::string_view bytes);
