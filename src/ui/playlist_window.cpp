#include "ui/playlist_window.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "app/file_handle.h"
#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "log/event_log.h"
#include "ui/dpi.h"
#include "ui/playlist_text.h"
#include "ui/text_codec.h"
#include "ui/toolkit.h"
#include "ui/window_layout.h"

namespace {

constexpr int kOk = 61;
constexpr int kCancel = 62;
constexpr int kSongList = 63;
constexpr int kLabel = 64;

std::string PlaylistPath()
{
    return GameRoot + "Songs\\Playlist.txt";
}

std::wstring Text(const char* key, const char* fallback)
{
    return DecodeText(LookupText(key, fallback), UiCodePage(LanguageCode));
}

std::vector<std::string> ListSongs()
{
    std::vector<std::string> songs;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((GameRoot + "Songs\\*.mp3").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return songs;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) songs.emplace_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return songs;
}

bool ReadPlaylistFile(std::string& bytes)
{
    FileHandle file(CreateFileA(PlaylistPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return false;
    bytes.resize(read);
    return true;
}

void AddSongItems(HWND list, const std::vector<std::string>& songs)
{
    for (std::size_t i = 0; i < songs.size(); ++i) {
        std::wstring name = DecodeText(songs[i], CP_ACP);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = name.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void TickPlaylistSongs(HWND list, const std::vector<std::string>& songs)
{
    std::string playlist;
    if (!ReadPlaylistFile(playlist)) return;
    // A song is ticked when any line names it exactly; a set keeps long
    // playlists and full folders from multiplying into each other.
    const std::vector<std::string> lines = ReadPlaylistLines(playlist);
    const std::unordered_set<std::string> named(lines.begin(), lines.end());
    for (std::size_t i = 0; i < songs.size(); ++i)
        if (named.count(songs[i]))
            ListView_SetItemState(list, static_cast<int>(i), INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}

void FillSongList(HWND list, const std::vector<std::string>& songs)
{
    // The window is already visible: repainting after every one of a few
    // thousand songs would take far longer than the filling itself.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, songs.size(), 0);
    AddSongItems(list, songs);
    TickPlaylistSongs(list, songs);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
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
        FileHandle file(
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

// The old playlist is replaced only by a complete new one: the new file is
// written beside it and then moved over it. Where the folder cannot take a
// new file, the playlist is rewritten in place as the game's old editor did.
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
        if (MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        DeleteFileA(fresh.c_str());
        return false;
    case FreshFile::Incomplete: DeleteFileA(fresh.c_str()); return false;
    case FreshFile::CannotCreate: break;
    }
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsOpen()) return WriteAll(file.Get(), text);
    FileHandle existing(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return existing.IsOpen() && WriteAll(existing.Get(), text);
}

void SavePlaylist(HWND list, const std::vector<std::string>& songs)
{
    std::vector<std::string> ticked;
    for (std::size_t i = 0; i < songs.size(); ++i)
        if (ListView_GetCheckState(list, static_cast<int>(i))) ticked.push_back(songs[i]);
    if (!SavePlaylistText(PlaylistText(ticked))) LogEvent("Can't write playlist file " + PlaylistPath() + "!");
}

}  // namespace

void PlaylistEditor()
{
    HWND window = CreateProgramWindow(Text("60", "Playlist"), WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 232, 246);
    if (!window) return;

    CreateLaidOutControl(window, L"STATIC", Text("64", "Available songs:"), SS_LEFT, 0,
                         {kLabel, {10, 10, 200, 25}, 0, FontRole::Standard, ControlRole::Label});
    HWND list = CreateLaidOutControl(window, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP,
                                     WS_EX_CLIENTEDGE, {kSongList, {5, 40, 220, 170}});
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES);
    std::wstring columnTitle = Text("63", "Songs");
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 220;
    column.pszText = columnTitle.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    OnLayout(list, [](HWND control, unsigned dpi) { ListView_SetColumnWidth(control, 0, ScaleToDpi(220, dpi)); });
    const std::vector<std::string> songs = ListSongs();
    FillSongList(list, songs);
    CreateLaidOutControl(window, L"BUTTON", Text("61", "Ok"), BS_PUSHBUTTON | WS_TABSTOP, 0, {kOk, {10, 215, 100, 25}});
    CreateLaidOutControl(window, L"BUTTON", Text("62", "Cancel"), BS_PUSHBUTTON | WS_TABSTOP, 0,
                         {kCancel, {120, 215, 100, 25}});
    FitCaptions(window);
    SetFocusControl(window, list);
    SetDialogButtons(window, kOk, kCancel);

    // Every other event, the main window's included, is consumed here.
    for (;;) {
        const UiEvent event = WaitEvent();
        if (event.kind != UiEventKind::Control || event.window != window) continue;
        if (event.controlId == kCancel) break;
        if (event.controlId == kOk) {
            SavePlaylist(list, songs);
            break;
        }
    }
    DestroyWindow(window);
}
