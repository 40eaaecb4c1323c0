#pragma once
// The program's windows keep their layout in 96-DPI pixels and place every
// control, font and picture for the DPI of the monitor they are on: once when
// they are built, and again whenever they move to a monitor of another DPI.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/caption_room.h"

enum class FontRole { Standard, Button };

// How a control's caption may take more room: a check box or a label grows to
// the right when its caption is wider than it; a frame bounds that growth.
enum class ControlRole { Plain, Frame, CheckBox, Label };

struct ControlPlace {
    int id = 0;
    LayoutBox box;         // in the client area, at 96 DPI
    int dropDownRoom = 0;  // a drop-down list's open part below the box
    FontRole font = FontRole::Standard;
    ControlRole role = ControlRole::Plain;
};

// Sizes a new, hidden top-level window for its DPI and centres it on its screen.
void PlaceProgramWindow(HWND window, int clientWidth, int clientHeight);

// A child control at its place, scaled to the window's DPI, with its font.
HWND CreateLaidOutControl(HWND window, const wchar_t* className, const std::wstring& text, DWORD style,
                          DWORD extendedStyle, const ControlPlace& place);

// What a control does itself at each layout (a picture or a column sized for the DPI).
void OnLayout(HWND control, std::function<void(HWND control, unsigned dpi)> adjust);

// Once every control exists: captions that need it take the room to their
// right, and what reaches past a frame's border paints only inside it.
void FitCaptions(HWND window);

// WM_DPICHANGED: lays the window out for the new DPI at the suggested place.
void LayOutForDpi(HWND window, unsigned dpi, const RECT& suggested);

// WM_DESTROY: the window's layout goes with it.
void ForgetLayout(HWND window);
