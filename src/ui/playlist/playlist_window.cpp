#include "ui/playlist/playlist_window.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "dictionary/dictionary.h"
#include "ui/control_ids.h"
#include "ui/layout/caption_fit.h"
#include "ui/layout/dpi.h"
#include "ui/layout/placement.h"
#include "ui/playlist/playlist_file.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/dialog_keys.h"
#include "ui/toolkit/text_codec.h"
#include "ui/toolkit/toolkit.h"

namespace {

std::wstring Text(ControlId id, const char* fallback)
{
    return DecodeUiText(LookupText(std::to_string(id), fallback));
}

void FillSongList(HWND list, const std::vector<std::string>& songs)
{
    // The window is already visible: repainting after every one of a few
    // thousand songs would take far longer than the filling itself.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    AddRows(list, songs, TextOrigin::System);
    // A song is ticked when any line names it exactly; a set keeps long
    // playlists and full folders from multiplying into each other.
    const std::unordered_set<std::string> named = PlaylistNames();
    for (std::size_t i = 0; i < songs.size(); ++i)
        if (named.count(songs[i])) TickRow(list, static_cast<int>(i));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::vector<std::string> TickedSongs(HWND list, const std::vector<std::string>& songs)
{
    std::vector<std::string> ticked;
    for (std::size_t i = 0; i < songs.size(); ++i)
        if (IsRowTicked(list, static_cast<int>(i))) ticked.push_back(songs[i]);
    return ticked;
}

}  // namespace

void PlaylistEditor()
{
    HWND window = CreateProgramWindow(Text(kPlaylistTitle, "Playlist"), WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 232,
                                      246);
    if (!window) return;

    CreateLaidOutControl(window, L"STATIC", Text(kSongsLabel, "Available songs:"), SS_LEFT, 0,
                         {kSongsLabel, {10, 10, 200, 25}, 0, FontRole::Standard, ControlRole::Label});
    HWND list = CreateLaidOutControl(window, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP,
                                     WS_EX_CLIENTEDGE, {kSongList, {5, 40, 220, 170}});
    ShowRowCheckBoxes(list);
    std::wstring columnTitle = Text(kSongList, "Songs");
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 220;
    column.pszText = columnTitle.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    OnLayout(list, [](HWND control, unsigned dpi) {
        ListView_SetColumnWidth(control, 0, ScaleToDpi(220, dpi));
        FitRowCheckBoxes(control, dpi);
    });
    const std::vector<std::string> songs = ListSongs();
    FillSongList(list, songs);
    CreateLaidOutControl(window, L"BUTTON", Text(kPlaylistOk, "Ok"), BS_PUSHBUTTON | WS_TABSTOP, 0,
                         {kPlaylistOk, {10, 215, 100, 25}});
    CreateLaidOutControl(window, L"BUTTON", Text(kPlaylistCancel, "Cancel"), BS_PUSHBUTTON | WS_TABSTOP, 0,
                         {kPlaylistCancel, {120, 215, 100, 25}});
    FitCaptions(window);
    SetFocusControl(window, list);
    SetDialogButtons(window, kPlaylistOk, kPlaylistCancel);

    // Every other event, the main window's included, is consumed here.
    for (;;) {
        const UiEvent event = WaitEvent();
        if (event.kind != UiEventKind::Control || event.window != window) continue;
        if (event.controlId == kPlaylistCancel) break;
        if (event.controlId == kPlaylistOk) {
            SavePlaylist(TickedSongs(list, songs));
            break;
        }
    }
    DestroyWindow(window);
}
