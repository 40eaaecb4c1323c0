#include "ui/window_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <vector>

#include "ui/dpi.h"

namespace {

struct PlacedControl {
    HWND control;
    ControlPlace place;
    std::function<void(HWND, unsigned)> adjust;
};

struct WindowLayout {
    int clientWidth = 0, clientHeight = 0;  // at 96 DPI
    unsigned dpi = kLayoutDpi;
    std::vector<PlacedControl> controls;
};

std::map<HWND, WindowLayout> Layouts;

HFONT FontOf(FontRole role, unsigned dpi)
{
    return role == FontRole::Button ? ButtonFont(dpi) : StandardFont(dpi);
}

RECT Scaled(const LayoutBox& box, int extraHeight, unsigned dpi)
{
    // Edges are scaled, not sizes, so neighbours stay neighbours at every DPI.
    return {ScaleToDpi(box.x, dpi), ScaleToDpi(box.y, dpi), ScaleToDpi(box.Right(), dpi),
            ScaleToDpi(box.Bottom() + extraHeight, dpi)};
}

void Move(HWND control, const RECT& rect)
{
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Gives the window the client area it needs at its DPI, its top-left corner at
// (left, top). The frame is first reckoned for the DPI, then measured: a
// window manager may draw it thicker or thinner than reckoned.
void SizeClientArea(HWND window, const WindowLayout& layout, int left, int top, const RECT& screen)
{
    const int width = ScaleToDpi(layout.clientWidth, layout.dpi);
    const int height = ScaleToDpi(layout.clientHeight, layout.dpi);
    SIZE frame = FrameSize(width, height, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), layout.dpi);
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

// Measures captions on one screen device context.
class CaptionMeasure {
public:
    CaptionMeasure() : screen_(GetDC(nullptr)), original_(GetCurrentObject(screen_, OBJ_FONT)) {}
    ~CaptionMeasure()
    {
        SelectObject(screen_, original_);
        ReleaseDC(nullptr, screen_);
    }
    CaptionMeasure(const CaptionMeasure&) = delete;
    CaptionMeasure& operator=(const CaptionMeasure&) = delete;

    // The width a caption needs in its control, in pixels at the given DPI.
    int Width(HWND control, ControlRole role, HFONT font, unsigned dpi)
    {
        const int length = GetWindowTextLengthW(control);
        if (length == 0) return 0;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
        if (font != selected_) {
            SelectObject(screen_, font);
            selected_ = font;
            zeroWidth_ = 0;
            GetCharWidth32W(screen_, L'0', L'0', &zeroWidth_);
        }
        SIZE extent{};
        GetTextExtentPoint32W(screen_, text.c_str(), static_cast<int>(text.size()), &extent);
        if (role != ControlRole::CheckBox) return extent.cx;
        // The box, half a digit's width of gap, and a pixel of margin either side of the text.
        return extent.cx + 12 * static_cast<int>(dpi) / static_cast<int>(kLayoutDpi) + 1 + zeroWidth_ / 2 + 2;
    }

private:
    HDC screen_;
    HGDIOBJ original_;
    HFONT selected_ = nullptr;
    int zeroWidth_ = 0;
};

void FitCaptionsAt(const WindowLayout& layout)
{
    std::vector<LayoutBox> boxes, frames;
    for (const PlacedControl& placed : layout.controls) {
        if (placed.place.role == ControlRole::Frame) frames.push_back(placed.place.box);
        else boxes.push_back(placed.place.box);
    }
    CaptionMeasure measure;
    std::size_t index = 0;
    for (const PlacedControl& placed : layout.controls) {
        const ControlRole role = placed.place.role;
        if (role == ControlRole::Frame) continue;
        const std::size_t self = index++;
        if (role != ControlRole::CheckBox && role != ControlRole::Label) continue;
        RECT rect = Scaled(placed.place.box, 0, layout.dpi);
        const int needed = measure.Width(placed.control, role, FontOf(placed.place.font, layout.dpi), layout.dpi);
        if (needed <= rect.right - rect.left) continue;
        const int furthest = ScaleToDpi(FurthestRightEdge(boxes, self, frames, layout.clientWidth), layout.dpi);
        rect.right = std::min<LONG>(rect.left + needed, std::max<LONG>(furthest, rect.right));
        Move(placed.control, rect);
    }
}

// The Button class paints with its parent's clipping (CS_PARENTDC), which a
// window region does not limit under Wine: the control paints its whole
// rectangle. So it is handed a device context clipped to its region instead,
// which buttons take in the WPARAM of WM_PAINT.
LRESULT CALLBACK PaintInsideRegion(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message != WM_PAINT || wParam) return DefSubclassProc(control, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(control, region) != ERROR) ExtSelectClipRgn(dc, region, RGN_AND);
    DeleteObject(region);
    DefSubclassProc(control, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EndPaint(control, &paint);
    return 0;
}

// A control that reaches past the right border of its frame (the described
// "View panning" check box does) keeps its rectangle, which programs that read
// the window see, but paints only inside the frame, so that the border stays whole.
void KeepInsideFrames(const WindowLayout& layout)
{
    constexpr int kBorder = 2;  // the etched line of a frame
    for (const PlacedControl& placed : layout.controls) {
        if (placed.place.role == ControlRole::Frame) continue;
        const LayoutBox& box = placed.place.box;
        for (const PlacedControl& frame : layout.controls) {
            const LayoutBox& bounds = frame.place.box;
            if (frame.place.role != ControlRole::Frame || !Holds(bounds, box) ||
                box.Right() <= bounds.Right() - kBorder)
                continue;
            RECT shown;
            GetWindowRect(placed.control, &shown);
            const int inside = ScaleToDpi(bounds.Right() - kBorder, layout.dpi) - ScaleToDpi(box.x, layout.dpi);
            SetWindowRgn(placed.control, CreateRectRgn(0, 0, inside, shown.bottom - shown.top), TRUE);
            SetWindowSubclass(placed.control, PaintInsideRegion, 1, 0);
        }
    }
}

}  // namespace

void PlaceProgramWindow(HWND window, int clientWidth, int clientHeight)
{
    WindowLayout& layout = Layouts[window];
    layout.clientWidth = clientWidth;
    layout.clientHeight = clientHeight;
    layout.dpi = WindowDpi(window);
    // Limited to the screen the window opens on, and centred on it.
    const RECT screen = ScreenOf(window);
    SizeClientArea(window, layout, screen.left, screen.top, screen);
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
    WindowLayout& layout = Layouts[window];
    const RECT rect = Scaled(place.box, place.dropDownRoom, layout.dpi);
    HWND control = CreateWindowExW(extendedStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left,
                                   rect.top, rect.right - rect.left, rect.bottom - rect.top, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(place.font, layout.dpi)), FALSE);
    layout.controls.push_back({control, place, {}});
    return control;
}

void OnLayout(HWND control, std::function<void(HWND, unsigned)> adjust)
{
    WindowLayout& layout = Layouts[GetParent(control)];
    // A control is placed once; the adjustment is handed to its one entry.
    for (PlacedControl& placed : layout.controls) {
        if (placed.control != control) continue;
        placed.adjust = std::move(adjust);
        placed.adjust(control, layout.dpi);
        return;
    }
}

void FitCaptions(HWND window)
{
    FitCaptionsAt(Layouts[window]);
    KeepInsideFrames(Layouts[window]);
}

void LayOutForDpi(HWND window, unsigned dpi, const RECT& suggested)
{
    WindowLayout& layout = Layouts[window];
    layout.dpi = dpi;
    for (const PlacedControl& placed : layout.controls) {
        Move(placed.control, Scaled(placed.place.box, placed.place.dropDownRoom, dpi));
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(placed.place.font, dpi)), TRUE);
        if (placed.adjust) placed.adjust(placed.control, dpi);
    }
    FitCaptionsAt(layout);
    KeepInsideFrames(layout);
    SizeClientArea(window, layout, suggested.left, suggested.top, ScreenOf(window));
    InvalidateRect(window, nullptr, TRUE);
}

void ForgetLayout(HWND window)
{
    Layouts.erase(window);
}
