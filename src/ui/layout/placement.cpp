#include "ui/layout/placement.h"

#include <algorithm>

#include "ui/layout/caption_fit.h"
#include "ui/layout/dpi.h"

namespace {

// Gives the window the client area it needs at its DPI, its top-left corner at
// (left, top). The frame is first reckoned for the DPI, then measured: a
// window manager may draw it thicker or thinner than reckoned.
void SizeClientArea(HWND window, const WindowRecord& record, int left, int top, const RECT& screen)
{
    const int width = ScaleToDpi(record.clientWidth, record.dpi);
    const int height = ScaleToDpi(record.clientHeight, record.dpi);
    SIZE frame = FrameSize(width, height, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), record.dpi);
    for (int attempt = 0; attempt < 2; ++attempt) {
        frame.cx = std::min<LONG>(frame.cx, screen.right - screen.left);
        frame.cy = std::min<LONG>(frame.cy, screen.bottom - screen.top);
        SetWindowPos(window, nullptr, left, top, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(window, &client);
        if (client.right == width && client.bottom == height) return;
        frame.cx += width - client.right;
        frame.cy += height - client.bottom;
    }
}

RECT ScreenOf(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcMonitor;
}

}  // namespace

void MoveControl(HWND control, const RECT& rect)
{
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ScaledPlace(const ControlPlace& place, unsigned dpi)
{
    // Edges are scaled, not sizes, so neighbours stay neighbours at every DPI.
    const LayoutBox& box = place.box;
    return {ScaleToDpi(box.x, dpi), ScaleToDpi(box.y, dpi), ScaleToDpi(box.Right(), dpi),
            ScaleToDpi(box.Bottom() + place.dropDownRoom, dpi)};
}

HFONT FontFor(FontRole role, unsigned dpi)
{
    return role == FontRole::Button ? ButtonFont(dpi) : StandardFont(dpi);
}

void PlaceProgramWindow(HWND window, int clientWidth, int clientHeight)
{
    WindowRecord* record = RecordOf(window);
    if (!record) return;
    record->clientWidth = clientWidth;
    record->clientHeight = clientHeight;
    record->dpi = WindowDpi(window);
    // Limited to the screen the window opens on, and centred on it.
    const RECT screen = ScreenOf(window);
    SizeClientArea(window, *record, screen.left, screen.top, screen);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateLaidOutControl(HWND window, const wchar_t* className, const std::wstring& text, DWORD style,
                          DWORD extendedStyle, const ControlPlace& place)
{
    WindowRecord* record = RecordOf(window);
    if (!record) return nullptr;
    const RECT rect = ScaledPlace(place, record->dpi);
    HWND control = CreateWindowExW(extendedStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left,
                                   rect.top, rect.right - rect.left, rect.bottom - rect.top, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(place.font, record->dpi)), FALSE);
    record->controls.push_back({control, place, {}, {}});
    return control;
}

void OnLayout(HWND control, std::function<void(HWND, unsigned)> adjust)
{
    PlacedControl* placed = PlacedOf(control);
    if (!placed) return;
    placed->adjust = std::move(adjust);
    placed->adjust(control, RecordOf(GetParent(control))->dpi);
}

void OnWindowLayout(HWND window, std::function<void(HWND, unsigned)> adjust)
{
    WindowRecord* record = RecordOf(window);
    if (!record) return;
    record->adjust = std::move(adjust);
    record->adjust(window, record->dpi);
}

void LayOutForDpi(HWND window, unsigned dpi, const RECT& suggested)
{
    WindowRecord* record = RecordOf(window);
    if (!record) return;
    record->dpi = dpi;
    for (const PlacedControl& placed : record->controls) {
        MoveControl(placed.control, ScaledPlace(placed.place, dpi));
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(placed.place.font, dpi)), TRUE);
        if (placed.adjust) placed.adjust(placed.control, dpi);
    }
    FitCaptions(window);
    if (record->adjust) record->adjust(window, dpi);
    SizeClientArea(window, *record, suggested.left, suggested.top, ScreenOf(window));
    InvalidateRect(window, nullptr, TRUE);
}
