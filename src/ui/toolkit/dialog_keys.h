#pragma once
// The keys of a dialog in the program's windows: Enter presses the focused
// push button, or else the window's default button, which is drawn as the
// default; Esc presses its cancel button. A control that takes the key itself
// (an open drop-down list) keeps it.

#include <windows.h>

#include "ui/control_ids.h"

// Gives a window its default and cancel buttons.
void SetDialogButtons(HWND window, ControlId defaultButton, ControlId cancelButton);

// Presses the button a key message stands for; false when the message is no
// dialog key of that window.
bool PressDialogKey(HWND window, const MSG& message);

// Draws the focused push button as the default, or else the default button.
void ShowDefaultButton(HWND window);
