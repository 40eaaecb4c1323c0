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
// scanner, the search indexer or a sync client often does so for a few tens
// of milliseconds after a file was written, so the move is tried again, for
// 300 ms in all. The running game holds it for as long as it runs, and that
// hold costs no more: the playlist is then rewritten in place.
bool MoveOverPlaylist(const std::string& fresh, const std::string& path)
{
    for (const DWORD pause : {0, 20, 40, 60, 80, 100}) {
        Sleep(pause);
        if (MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
    }
    return false;
}

enum class Rewrite { Untouched, Written, Damaged };

// The playlist rewritten through its own name, as the game's old editor did:
// created or emptied (others may read it), else an existing one emptied.
// Windows refuses both to a hidden or system file unless they give its own
// attributes (CreateFile's documentation); Wine does not enforce that rule.
Rewrite RewriteInPlace(const std::string& path, const std::string& text, DWORD attributes)
{
    const DWORD own = attributes == INVALID_FILE_ATTRIBUTES
                          ? 0
                          : attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const DWORD flags = own ? own : FILE_ATTRIBUTE_NORMAL;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                flags, nullptr));
    if (!file.IsOpen())
        file.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, flags, nullptr));
    if (!file.IsOpen()) return Rewrite::Untouched;
    return WriteAll(file.Get(), text) ? Rewrite::Written : Rewrite::Damaged;
}

// The old playlist is replaced by a complete new one: the new file is written
// beside it and then moved over it. Where the folder takes no new file, or the
// old one stays held open (the running game keeps it open for reading, sharing
// reads and writes but not deletion), the playlist is rewritten in place: a
// save never does worse than the game's old editor. At every moment the old
// playlist or the complete new one is on disk: the new file stays beside it
// until the rewrite is whole, and a rewrite that fails part way puts the old
// bytes back. Only when even that fails does the new file stay, and then
// keptAs names it.
bool SavePlaylistText(const std::string& text, std::string& keptAs)
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
        break;
    // A new file that does not fit on the disk would not fit in place either,
    // and there it would cost the old playlist.
    case FreshFile::Incomplete: DeleteFileA(fresh.c_str()); return false;
    case FreshFile::CannotCreate: break;
    }
    const std::optional<std::string> old = ReadWholeFile(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
    const Rewrite rewrite = RewriteInPlace(path, text, attributes);
    bool whole = rewrite != Rewrite::Damaged;
    if (!whole) {
        // Put back what was there: the old bytes, or no file where there was none.
        if (old) whole = RewriteInPlace(path, *old, attributes) == Rewrite::Written;
        else if (attributes == INVALID_FILE_ATTRIBUTES) whole = DeleteFileA(path.c_str());
    }
    if (!whole) keptAs = fresh;
    else if (!fresh.empty()) DeleteFileA(fresh.c_str());
    return rewrite == Rewrite::Written;
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
    std::string keptAs;
    if (SavePlaylistText(PlaylistText(songs), keptAs)) return;
    const std::string line = "Can't write playlist file " + PlaylistPath() + "!";
    LogEvent(keptAs.empty() ? line : line + " The new playlist is " + keptAs + ".");
}
