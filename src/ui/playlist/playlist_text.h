#pragma once
// "Songs\Playlist.txt" as the game reads it: one song file name per line.

#include <string>
#include <string_view>
#include <vector>

// The lines of the file. CR LF, a lone LF, a lone CR, a zero byte or the end
// of the file end a line; nothing is trimmed; an empty line is an empty text.
std::vector<std::string> ReadPlaylistLines(std::string_view bytes);

// Each song followed by CR LF; no song gives no bytes at all.
std::string PlaylistText(const std::vector<std::string>& songs);
