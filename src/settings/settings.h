#pragma once
// Loading the game's settings into the main window's controls, and writing
// them all back when the player presses OK.

// Fills every control from the registry, sets GameRoot, fills the rules list
// and detects the boundary image set. Runs once, before the window is shown.
void LoadSettings();

// Writes every setting back from its control, stores the rules choice and
// switches the image set.
void ApplySettings();
