#include "ui/playlist/playlist_file.h"

#include <windows.h>

#include <optional>

#include "app/platform/handles.h"
#include "app/platform/whole_file.h"
#include "app/process_values.h"
#include "log/event_log.h"
#include "ui/playlist/playlist_text.h"

namespace {

std::string PlaylistPath()
{
    return GameRoot + "Songs\\Playlist.txt";
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                             written == bytes.size());
}

enum class FreshFile { CannotCreate, Incomplete, Complete };

// Writes the new playlist under a name no file in the folder has yet, so that
// no file of the player's is ever overwritten. The name is left empty when
// the folder takes no new file.
FreshFile WriteFreshFile(const std::string& playlist, const std::string& text, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = playlist + ".new" + (attempt ? std::to_string(attempt) : "");
        const FileHandle file(
            CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.IsOpen())
            return WriteAll(file.Get(), text) && FlushFileBuffers(file.Get()) ? FreshFile::Complete
                                                                              : FreshFile::Incomplete;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    name.clear();
    return FreshFile::CannotCreate;
}

// Moves the complete new playlist over the old one. Windows refuses while
// another program holds the old one open without delete sharing: a virus
// scanner, the search indexer or a sync client often does so for a moment
// after a file was written, so the move is tried again for about a second.
bool MoveOverPlaylist(const std::string& fresh, const std::string& path)
{
    for (const DWORD pause : {0, 50, 100, 150, 200, 250, 250}) {
        Sleep(pause);
        if (MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
    }
    return false;
}

// The playlist rewritten through its own name, as the game's old editor did:
// created or emptied (others may read it), else an existing one emptied.
bool RewriteInPlace(const std::string& path, const std::string& text)
{
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsOpen()) return WriteAll(file.Get(), text);
    const FileHandle existing(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return existing.IsOpen() && WriteAll(existing.Get(), text);
}

// The old playlist is replaced by a complete new one: the new file is written
// beside it and then moved over it. Where the folder takes no new file, or the
// old one stays held open (the running game keeps it open for reading, sharing
// reads and writes but not deletion), the playlist is rewritten in place: a
// save never does worse than the game's old editor.
bool SavePlaylistText(const std::string& text)
{
    const std::string path = PlaylistPath();
    // A playlist the player marked read-only stays as it is. Windows refuses
    // to move a file over it anyway; Wine would let the new one replace it.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    std::string fresh;
    switch (WriteFreshFile(path, text, fresh)) {
    case FreshFile::Complete:
        if (MoveOverPlaylist(fresh, path)) return true;
        DeleteFileA(fresh.c_str());
        break;
    // A new file that does not fit on the disk would not fit in place either,
    // and there it would cost the old playlist.
    case FreshFile::Incomplete: DeleteFileA(fresh.c_str()); return false;
    case FreshFile::CannotCreate: break;
    }
    return RewriteInPlace(path, text);
}

}  // namespace

std::vector<std::string> ListSongs()
{
    std::vector<std::string> songs;
    WIN32_FIND_DATAA entry;
    const FolderListing listing(FindFirstFileA((GameRoot + "Songs\\*.mp3").c_str(), &entry));
    if (!listing.IsOpen()) return songs;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) songs.emplace_back(entry.cFileName);
    } while (FindNextFileA(listing.Get(), &entry));
    return songs;
}

std::unordered_set<std::string> PlaylistNames()
{
    const std::optional<std::string> bytes = ReadWholeFile(PlaylistPath());
    if (!bytes) return {};
    const std::vector<std::string> lines = ReadPlaylistLines(*bytes);
    return {lines.begin(), lines.end()};
}

void SavePlaylist(const std::vector<std::string>& songs)
{
    if (!SavePlaylistText(PlaylistText(songs))) LogEvent("Can't write playlist file " + PlaylistPath() + "!");
}
