#pragma once
// What the program keeps about each of its windows, in one record that the
// window carries from its creation until it is destroyed: how it is laid
// out, its controls with what they hold beyond the system's own state, where
// its keyboard focus goes, and its dialog buttons.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control_ids.h"
#include "ui/layout/caption_room.h"
#include "ui/layout/dpi.h"

enum class FontRole { Standard, Button };

// How a control's caption may take more room: a check box or a label grows to
// the right when its caption is wider than it; a frame bounds that growth.
enum class ControlRole { Plain, Frame, CheckBox, Label };

struct ControlPlace {
    ControlId id = kNoControl;
    LayoutBox box;         // in the client area, at 96 DPI
    int dropDownRoom = 0;  // a drop-down list's open part below the box
    FontRole font = FontRole::Standard;
    ControlRole role = ControlRole::Plain;
};

struct PlacedControl {
    HWND control = nullptr;
    ControlPlace place;
    std::function<void(HWND control, unsigned dpi)> adjust;  // its own work at each layout
    std::vector<std::string> items;                          // a choice box's items as the program's 8-bit texts
    int ownCheckBoxSize = 0;       // a list's own check boxes, as wide as when it was made at the system's DPI
    bool drawnCheckBoxes = false;  // a list shows check boxes the program drew for its DPI
};

struct WindowRecord {
    int clientWidth = 0, clientHeight = 0;  // at 96 DPI
    unsigned dpi = kLayoutDpi;
    std::vector<PlacedControl> controls;                    // in creation order
    std::function<void(HWND window, unsigned dpi)> adjust;  // its own work at each layout, after its controls'
    HWND focus = nullptr;                                   // gets the keyboard focus whenever the window is activated
    ControlId defaultButton = kNoControl;                   // Enter, where no push button holds the focus
    ControlId cancelButton = kNoControl;                    // Esc
};

// The record of a window of the program's class; null for any other window.
WindowRecord* RecordOf(HWND window);

// A control's entry in its window's record; null for a control not placed there.
PlacedControl* PlacedOf(HWND control);
