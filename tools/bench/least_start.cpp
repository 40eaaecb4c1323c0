// The yardstick for the editor's start: the least that start must do with the
// system's controls, each made the plainest way. The editor's graphics check;
// the main window with its 53 controls of the editor's kinds, places and
// sizes, as the system's classes, with empty captions and the default GUI
// font; the banner as a 597 x 159, 32-bit bitmap; one tooltip window with the
// 35 tools; Common Controls 6 and the DPI awareness by manifest. No lookups,
// no registry reads, no caption measuring, no items in the lists.

#include <windows.h>

#include <commctrl.h>

#include "display/graphics.h"
#include "ui/control_ids.h"
#include "ui/main_window/main_window_layout.h"

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Cancel closes the window, as the editor's does.
    if (message == WM_COMMAND && LOWORD(wParam) == kCancel) DestroyWindow(window);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int Scale(int length, unsigned dpi)
{
    return MulDiv(length, static_cast<int>(dpi), 96);
}

HWND Make(HWND window, const wchar_t* className, DWORD style, DWORD extendedStyle, int id, int x, int y, int width,
          int height, unsigned dpi)
{
    HWND control = CreateWindowExW(extendedStyle, className, L"", WS_CHILD | WS_VISIBLE | style, Scale(x, dpi),
                                   Scale(y, dpi), Scale(width, dpi), Scale(height, dpi), window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void MakeControl(HWND window, const ControlLayout& layout, unsigned dpi)
{
    const wchar_t* className = WC_BUTTONW;
    DWORD style = 0, extendedStyle = 0;
    int height = layout.height;
    switch (layout.kind) {
    case ControlKind::Frame: style = BS_GROUPBOX; break;
    case ControlKind::PushButton: style = (layout.id == kCancel ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON) | WS_TABSTOP; break;
    case ControlKind::CheckBox: style = BS_AUTOCHECKBOX | WS_TABSTOP; break;
    case ControlKind::Label:
        className = WC_STATICW;
        style = SS_LEFT;
        break;
    case ControlKind::DropDown:
        className = WC_COMBOBOXW;
        style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        height += kDropDownListHeight;
        break;
    case ControlKind::EditField:
        className = WC_EDITW;
        style = ES_AUTOHSCROLL | WS_TABSTOP;
        extendedStyle = WS_EX_CLIENTEDGE;
        break;
    }
    Make(window, className, style, extendedStyle, layout.id, layout.x, layout.y, layout.width, height, dpi);
}

HBITMAP MakeBanner()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 597;
    info.bmiHeader.biHeight = 159;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

void AttachTooltips(HWND window)
{
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    wchar_t empty[] = L"";
    for (const ControlId id : kTooltipOrder) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, id));
        tool.lpszText = empty;
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!StartGraphics()) return 1;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"LeastStart";
    if (!RegisterClassExW(&windowClass)) return 1;

    const unsigned dpi = GetDpiForSystem();
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, Scale(615, dpi), Scale(550, dpi)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, windowClass.lpszClassName, L"Least start", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;

    HWND banner = Make(window, WC_STATICW, SS_BITMAP, 0, kBanner, 8, 8, 597, 159, dpi);
    SendMessageW(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(MakeBanner()));
    for (const ControlLayout& layout : kFrames) MakeControl(window, layout, dpi);
    for (const ControlLayout& layout : kButtons) MakeControl(window, layout, dpi);
    for (const ControlLayout& layout : kControls) MakeControl(window, layout, dpi);
    AttachTooltips(window);
    ShowWindow(window, SW_SHOW);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    StopGraphics();
    return 0;
}
