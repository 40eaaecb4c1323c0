#pragma once
// The banner across the top of the main window, drawn for a DPI.

#include <windows.h>

#include <string_view>

// At 96 DPI the program's 597 x 159 bitmap itself; at other DPIs its large
// drawing, made smaller to fit. The caller owns the result.
HBITMAP LoadBanner(unsigned dpi);

// The large drawing as the program stores it: the bytes of a PNG picture,
// twice the bitmap's size; empty when the program lacks it.
std::string_view LargeBannerPng();
