// The playlist reader takes whatever "Songs\Playlist.txt" holds. Lines never
// hold a line end or a zero byte, and the songs found, written back as the
// editor writes them, read back as the same songs.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/playlist/playlist_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = ReadPlaylistLines(bytes);
    std::size_t total = 0;
    for (const std::string& line : lines) {
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) std::abort();
        total += line.size();
    }
    if (total > size) std::abort();

    std::vector<std::string> songs;
    for (const std::string& line : lines)
        if (!line.empty()) songs.push_back(line);
    const std::string written = PlaylistText(songs);
    if (ReadPlaylistLines(written) != songs) std::abort();
    return 0;
}
