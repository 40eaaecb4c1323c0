#pragma once
// Screens at any scale: the program's layout is drawn in pixels at 96 DPI and
// every window lays itself out again for the DPI of the monitor it is on.

#include <windows.h>

constexpr unsigned kLayoutDpi = 96;

// The DPI the system made its stock fonts and metrics for; it stays for the
// process's life.
unsigned SystemDpi();

// The DPI of the monitor the window is on.
unsigned WindowDpi(HWND window);

// A length of the 96-DPI layout at the given DPI.
int ScaleToDpi(int length, unsigned dpi);

// A system metric (SM_CXSMICON, ...) for the given DPI.
int SystemMetricForDpi(int index, unsigned dpi);

// The outer size of a window whose client area has the given size at the given DPI.
SIZE FrameSize(int clientWidth, int clientHeight, DWORD style, unsigned dpi);

// The system's standard font for dialog controls, made for the given DPI.
HFONT StandardFont(unsigned dpi);

// OK and Cancel: "Arial", 10 points, bold, at the given DPI; the standard
// font when Arial cannot be made.
HFONT ButtonFont(unsigned dpi);
