#pragma once
// The interactive phase: one event at a time, until QuitRequested.

#include "ui/toolkit/toolkit.h"

// Reacts to one event of the main window by the event table.
void DispatchMainEvent(const UiEvent& event);

void RunEventLoop();
