#pragma once
// The one failure the player is shown: the graphics layer cannot start.

// The error box, in the interface language; returns when the player has closed it.
void StartUpError();
