#include "ui/layout/caption_fit.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/layout/dpi.h"
#include "ui/layout/placement.h"

namespace {

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

void GrowCaptions(const WindowRecord& record)
{
    std::vector<LayoutBox> boxes, frames;
    for (const PlacedControl& placed : record.controls) {
        if (placed.place.role == ControlRole::Frame) frames.push_back(placed.place.box);
        else boxes.push_back(placed.place.box);
    }
    CaptionMeasure measure;
    std::size_t index = 0;
    for (const PlacedControl& placed : record.controls) {
        const ControlRole role = placed.place.role;
        if (role == ControlRole::Frame) continue;
        const std::size_t self = index++;
        if (role != ControlRole::CheckBox && role != ControlRole::Label) continue;
        RECT rect = ScaledPlace(placed.place, record.dpi);
        const int needed = measure.Width(placed.control, role, FontFor(placed.place.font, record.dpi), record.dpi);
        if (needed <= rect.right - rect.left) continue;
        const int furthest = ScaleToDpi(FurthestRightEdge(boxes, self, frames, record.clientWidth), record.dpi);
        rect.right = std::min<LONG>(rect.left + needed, std::max<LONG>(furthest, rect.right));
        MoveControl(placed.control, rect);
    }
}

// The Button class paints with its parent's clipping (CS_PARENTDC), which a
// window region does not limit: the control paints its whole rectangle. So
// it paints into a device context clipped to its region instead, through
// WM_PRINTCLIENT, the documented way to have a control paint into a given one.
// AnimateWindow draws the window's slide-in and fade-out frames through
// WM_PRINT and WM_PRINTCLIENT, whose device context the region does not
// limit either, so those are clipped the same way.
LRESULT CALLBACK PaintInsideRegion(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message != WM_PAINT && message != WM_PRINT && message != WM_PRINTCLIENT)
        return DefSubclassProc(control, message, wParam, lParam);
    RECT inside{};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool clipped = GetWindowRgn(control, region) != ERROR && GetRgnBox(region, &inside) != ERROR;
    DeleteObject(region);
    // In the control's own coordinates, wherever the device context puts them.
    const auto clip = [&](HDC dc) {
        if (clipped) IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
    };
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(control, &paint);
        clip(dc);
        DefSubclassProc(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        EndPaint(control, &paint);
        return 0;
    }
    const auto dc = reinterpret_cast<HDC>(wParam);
    const int saved = SaveDC(dc);
    clip(dc);
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    RestoreDC(dc, saved);
    return result;
}

// A control that reaches past the right border of its frame (the described
// "View panning" check box does) keeps its rectangle, which programs that read
// the window see, but paints only inside the frame, so that the border stays whole.
void KeepInsideFrames(const WindowRecord& record)
{
    constexpr int kBorder = 2;  // the etched line of a frame
    for (const PlacedControl& placed : record.controls) {
        if (placed.place.role == ControlRole::Frame) continue;
        const LayoutBox& box = placed.place.box;
        for (const PlacedControl& frame : record.controls) {
            const LayoutBox& bounds = frame.place.box;
            if (frame.place.role != ControlRole::Frame || !Holds(bounds, box) ||
                box.Right() <= bounds.Right() - kBorder)
                continue;
            RECT shown;
            GetWindowRect(placed.control, &shown);
            const int inside = ScaleToDpi(bounds.Right() - kBorder, record.dpi) - ScaleToDpi(box.x, record.dpi);
            SetWindowRgn(placed.control, CreateRectRgn(0, 0, inside, shown.bottom - shown.top), TRUE);
            SetWindowSubclass(placed.control, PaintInsideRegion, 1, 0);
        }
    }
}

}  // namespace

void FitCaptions(HWND window)
{
    const WindowRecord* record = RecordOf(window);
    if (!record) return;
    GrowCaptions(*record);
    KeepInsideFrames(*record);
}
