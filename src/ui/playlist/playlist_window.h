#pragma once
// The playlist editor: ticks the game's songs that "Songs\Playlist.txt"
// names, and rewrites the file with the ticked ones on OK.

// Opens the window, runs its own event loop until OK or Cancel, closes it.
void PlaylistEditor();
