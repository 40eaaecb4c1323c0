#pragma once
// The program's windows keep their layout in 96-DPI pixels and place every
// control, font and picture for the DPI of the monitor they are on: once when
// they are built, and again whenever they move to a monitor of another DPI.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/toolkit/window_record.h"

// Sizes a new, hidden top-level window for its DPI and centres it on its screen.
void PlaceProgramWindow(HWND window, int clientWidth, int clientHeight);

// A child control at its place, scaled to the window's DPI, with its font.
HWND CreateLaidOutControl(HWND window, const wchar_t* className, const std::wstring& text, DWORD style,
                          DWORD extendedStyle, const ControlPlace& place);

// What a control does itself at each layout (a picture or a column sized for the DPI).
void OnLayout(HWND control, std::function<void(HWND control, unsigned dpi)> adjust);

// What a window does itself at each layout, once its controls are placed
// (its tooltips' width and places).
void OnWindowLayout(HWND window, std::function<void(HWND window, unsigned dpi)> adjust);

// WM_DPICHANGED: lays the window out for the new DPI at the suggested place.
void LayOutForDpi(HWND window, unsigned dpi, const RECT& suggested);

// Moves a control to a rectangle of its window's client area.
void MoveControl(HWND control, const RECT& rect);

// A control's place in the client area at a DPI, its drop-down room included.
RECT ScaledPlace(const ControlPlace& place, unsigned dpi);

// The font a control of that role gets at a DPI.
HFONT FontFor(FontRole role, unsigned dpi);
