#pragma once
// The window toolkit: one window class with one window procedure for the
// program's windows, and a blocking wait that turns window messages into
// events (a control was used, a window asked to close).

#include <windows.h>

#include <string>

#include "ui/control_ids.h"

enum class UiEventKind { Control, CloseRequest };

struct UiEvent {
    UiEventKind kind = UiEventKind::Control;
    HWND window = nullptr;       // the program window the event belongs to
    int controlId = kNoControl;  // for control events: a ControlId, or whatever number a message carried
};

// Waits, without a time limit, for the next event of the program's windows.
UiEvent WaitEvent();

// Records an event and wakes WaitEvent. Window procedures call it; a click
// sent from another process arrives as a sent message, which alone would
// never make the wait return.
void RaiseEvent(const UiEvent& event);

// A top-level window of the program's class with a client area of the given
// size in 96-DPI pixels, scaled to the DPI of the primary screen and centred
// on it. Null when it cannot be made.
HWND CreateProgramWindow(const std::wstring& title, DWORD style, int clientWidth, int clientHeight);

// The control that gets the keyboard focus whenever its window is activated.
void SetFocusControl(HWND window, HWND control);
