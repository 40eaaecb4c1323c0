#pragma once
// The game's songs on disk: the ".mp3" files of the songs folder under
// GameRoot, and "Songs\Playlist.txt", which names the ones the game plays.

#include <string>
#include <unordered_set>
#include <vector>

// The song files, in the order the file system lists them.
std::vector<std::string> ListSongs();

// The names the playlist holds, one a line; none when it cannot be read.
std::unordered_set<std::string> PlaylistNames();

// Rewrites the playlist with these songs. A playlist that cannot be written
// stays as it was and costs one line in "Setup.log"; where even the old one
// could not be put back whole, the line names the file that holds the new
// one.
void SavePlaylist(const std::vector<std::string>& songs);
