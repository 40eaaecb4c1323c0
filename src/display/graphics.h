#pragma once
// The graphics start-up check (Direct3D 9 and DirectInput 7, loaded at run
// time) and the scan of the primary adapter's display modes.

#include "display/mode_list.h"

// Screen layer, keyboard device, mouse device, in this order; the first that
// fails ends the checks with false.
bool StartGraphics();

// A new table of the primary adapter's modes; the cursor before the first.
bool ScanScreenModes();
// Moves to the next mode while one is left; releases the table at the end.
bool NextScreenMode();
// The current mode; all zero when none is current.
ScreenMode CurrentScreenMode();

// Fills DisplayModeList and sets LastModeIndex.
void BuildDisplayModeList();

// Releases the devices, the interfaces, the libraries and the hidden window.
void StopGraphics();
