#pragma once
// The banner across the top of the main window, drawn for a DPI.

#include <windows.h>

// At 96 DPI the program's 597 x 159 bitmap itself; at other DPIs its large
// drawing, made smaller to fit. The caller owns the result.
HBITMAP LoadBanner(unsigned dpi);
