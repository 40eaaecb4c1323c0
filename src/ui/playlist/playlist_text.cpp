#include "ui/playlist/playlist_text.h"

std::vector<std::string> ReadPlaylistLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != '\0') ++end;
        lines.emplace_back(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

std::string PlaylistText(const std::vector<std::string>& songs)
{
    std::string text;
    for (const std::string& song : songs) {
        text += song;
        text += "\r\n";
    }
    return text;
}
