#pragma once
// The two windows as the player must see them: every control's kind, place
// at 96 DPI and caption, the main window's list items and tooltips, and the
// checks that a window shows that layout at its DPI, with every caption whole
// where the room allows.

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game_facts.h"

enum Kind { Banner, Frame, Button, Check, Label, List, Edit, SongList };

struct Expected {
    ControlId id;
    Kind kind;
    int x, y, width, height;
    const wchar_t* builtIn;   // English caption from the rebuilt dictionary
    const wchar_t* fallback;  // caption when the dictionary cannot be opened
};

// In creation order.
extern const std::vector<Expected> kMainLayout;
extern const std::vector<Expected> kPlaylistLayout;

// The controls that carry a tooltip, in the order the main window attaches them.
extern const std::vector<ControlId> kMainTooltips;
// The controls the editor may switch off, whose tips must show over them even then.
extern const std::vector<ControlId> kSwitchedOffTips;

struct ExpectedItem {
    const char* key;  // in the dictionary
    const wchar_t* builtIn;
    const wchar_t* fallback;
};
// The items of every choice box of the main window but the display-mode box,
// which the adapter's modes fill.
extern const std::map<ControlId, std::vector<ExpectedItem>> kMainListItems;

// Check boxes and labels may be wider than their row says, to show a caption
// that needs it; everything else has its row's size.
bool MayGrow(Kind kind);

// A window's text; bounded, so a hung program fails the test instead of stopping it.
std::wstring ControlText(HWND control);
std::wstring ClassName(HWND window);

// The tooltip windows a window owns.
std::vector<HWND> TooltipsOf(HWND window);

// The items of a drop-down list, in its order.
std::vector<std::wstring> ComboItems(HWND combo);

// A control's rectangle in its parent's client coordinates.
RECT ControlRect(HWND control);

// Moves a window of this process to a screen of the given DPI, as Windows tells it.
void MoveToDpi(HWND window, unsigned dpi);

// A 32-bit top-down picture of a width and height, on a memory device context.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_; }
    std::vector<std::uint32_t> Pixels() const
    {
        GdiFlush();
        return {bits_, bits_ + static_cast<std::size_t>(width_) * height_};
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Checks, with GoogleTest expectations, that every control of the layout is
// where its row puts it at this DPI (within 2 pixels above 96 DPI, exactly at
// 96), that grown controls only took room no other control uses, and that the
// client area has the layout's size at this DPI.
void ExpectPlacedAtDpi(HWND window, const std::vector<Expected>& layout, int clientWidth, int clientHeight,
                       unsigned dpi);

struct CutCaption {
    ControlId id;
    std::wstring text;
    int needed, room;  // pixels
};

// Measures every caption (and every drop-down item) with the font its control
// really uses against the room the control gives it; the ones that do not fit.
std::vector<CutCaption> CutCaptions(HWND window, const std::vector<Expected>& layout, unsigned dpi);

// Looks at what is drawn: paints every captioned control (frame, button, check
// box, label) into a bitmap with and without its caption, and measures the
// caption's ink against the same text drawn alone in the control's font. The
// ones drawn narrower than alone were cut: needed is the ink alone, room the
// ink the control showed. Pixels outside a control's window region are not
// shown, so they do not count.
std::vector<CutCaption> CaptionsDrawnCut(HWND window, const std::vector<Expected>& layout);
