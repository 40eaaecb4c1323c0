// Photographs the editor's windows for the README, as a player sees them on a
// Wine desktop: waits for the window with the given title, lets its slide-in
// finish, and writes the window, title bar and frame included, as a 24-bit
// BMP. With --playlist it first ticks "Use playlist" and photographs the
// playlist window instead, whatever its title's language; with --open-list it
// clicks the language list open first. Afterwards it presses Cancel, so the
// editor ends without writing anything.
//   capture_window TITLE OUT.bmp [--playlist | --open-list]

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ui/control_ids.h"

namespace {

HWND WaitForWindow(const std::wstring& title)
{
    for (int i = 0; i < 300; ++i) {
        HWND window = FindWindowW(nullptr, title.c_str());
        if (window && IsWindowVisible(window)) return window;
        Sleep(100);
    }
    return nullptr;
}

struct OtherWindow {
    HWND main;
    HWND found = nullptr;
};

BOOL CALLBACK FindOtherWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<OtherWindow*>(lParam);
    if (window == search->main || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION)) return TRUE;
    search->found = window;
    return FALSE;
}

// The editor's other captioned window: the playlist, once it has opened.
HWND WaitForSecondWindow(HWND main)
{
    for (int i = 0; i < 300; ++i) {
        OtherWindow search{main};
        EnumThreadWindows(GetWindowThreadProcessId(main, nullptr), FindOtherWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(100);
    }
    return nullptr;
}

bool WriteBmp(const std::wstring& path, HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom row first, as BMP files keep it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD pixelBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + pixelBytes;
    FILE* file = _wfopen(path.c_str(), L"wb");
    const bool written = file && fwrite(&header, sizeof header, 1, file) == 1 &&
                         fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
                         fwrite(bits, pixelBytes, 1, file) == 1;
    if (file) fclose(file);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}

void Press(HWND window, ControlId id)
{
    PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

// A click in the middle of a control, as the mouse makes it.
void ClickInside(HWND window, ControlId id)
{
    HWND control = GetDlgItem(window, id);
    RECT rect;
    GetClientRect(control, &rect);
    const LPARAM middle = MAKELPARAM(rect.right / 2, rect.bottom / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    if (argc != 3 && argc != 4) {
        std::fputs("usage: capture_window TITLE OUT.bmp [--playlist | --open-list]\n", stderr);
        return 2;
    }
    HWND main = WaitForWindow(argv[1]);
    if (!main) {
        std::fputs("the editor's window did not appear\n", stderr);
        return 1;
    }
    Sleep(1500);  // the slide-in, and the first paint of every control
    HWND shot = main;
    const std::wstring option = argc == 4 ? argv[3] : L"";
    if (option == L"--playlist") {
        Press(main, kUsePlaylist);
        shot = WaitForSecondWindow(main);
        if (!shot) {
            std::fputs("the playlist window did not appear\n", stderr);
            return 1;
        }
        Sleep(700);
    }
    SetForegroundWindow(shot);
    RedrawWindow(shot, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    if (option == L"--open-list") ClickInside(main, kLanguageBox);
    Sleep(300);
    const bool written = WriteBmp(argv[2], shot);
    if (shot != main) {
        Press(shot, kPlaylistCancel);
        Sleep(500);
    }
    Press(main, kCancel);
    return written ? 0 : 1;
}
