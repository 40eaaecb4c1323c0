#pragma once
// The main window: banner, four framed groups, every control with its fixed
// number, caption, items and tooltip.

#include <windows.h>

#include "ui/control_ids.h"

// Builds the window hidden, with every control, caption, list item and
// tooltip. False when the window itself cannot be created.
bool BuildMainWindow();
HWND MainWindow();

// A control of the main window.
HWND MainControl(ControlId id);

// Slides the window in and activates it; fades it out at the end.
void ShowMainWindow();
void HideMainWindow();
