#include "window_layouts.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

const std::vector<Expected> kMainLayout = {
    {kBanner, Banner, 8, 8, 597, 159, nullptr, nullptr},
    {kVideoFrame, Frame, 310, 177, 296, 200, L"Video", L"Video"},
    {kSoundFrame, Frame, 310, 382, 296, 125, L"Sound", L"Sound"},
    {kGeneralFrame, Frame, 8, 177, 295, 280, L"General", L"General"},
    {kEmailFrame, Frame, 8, 457, 295, 90, L"E-mail game", L"E-mail game"},
    {kOk, Button, 330, 515, 125, 30, L"OK", L"OK"},
    {kCancel, Button, 460, 515, 125, 30, L"Cancel", L"Cancel"},
    {kSoundFx, Check, 320, 405, 100, 20, L"Sound FX", L"Sound FX"},
    {kMusic, Check, 320, 455, 100, 20, L"Music", L"Music"},
    {kDirectSound, Check, 320, 430, 100, 20, L"Direct Sound", L"Direct Sound"},
    {kUsePlaylist, Check, 320, 480, 120, 20, L"Use playlist", L"Use playlist"},
    {kSelectionSounds, Check, 460, 405, 100, 20, L"Selection Sounds", L"Selection Sounds"},
    {kMovementSounds, Check, 460, 430, 100, 20, L"Movement Sounds", L"Movement Sounds"},
    {kAmbientSounds, Check, 460, 455, 100, 20, L"Ambient Sounds", L"Ambient Sounds"},
    {kEventSounds, Check, 460, 480, 100, 20, L"Event Sounds", L"Event Sounds"},
    {kDisplayModeLabel, Label, 320, 200, 80, 20, L"Display mode:", L"Display mode:"},
    {kDisplayModeBox, List, 400, 195, 200, 20, nullptr, nullptr},
    {kAdapterLabel, Label, 320, 225, 80, 20, L"Adapter:", L"Adapter:"},
    {kAdapterBox, List, 400, 220, 200, 20, nullptr, nullptr},
    {kDisplayLevelLabel, Label, 320, 250, 80, 20, L"Display level:", L"Display level:"},
    {kDisplayLevelBox, List, 400, 245, 200, 20, nullptr, nullptr},
    {kCursorsLabel, Label, 320, 275, 80, 20, L"Cursors:", L"Cursors:"},
    {kCursorsBox, List, 400, 270, 200, 20, nullptr, nullptr},
    {kShowIntro, Check, 320, 300, 130, 20, L"Show Intro", L"Show Intro"},
    {kAllowResolutionSwitches, Check, 320, 325, 200, 20, L"Allow Resolution Switches", L"Allow Resolution Switches"},
    {kUseDirect3D, Check, 320, 350, 200, 20, L"Use Direct3D", L"Use Direct3D"},
    {kViewPanning, Check, 460, 300, 200, 20, L"View panning", L"View panning"},
    {kLanguageLabel, Label, 17, 200, 50, 20, L"Language:", L"Language:"},
    {kLanguageBox, List, 110, 195, 180, 20, nullptr, nullptr},
    {kBlood, Check, 17, 220, 120, 20, L"Blood", L"Blood"},
    {kAutosaveBeforeTc, Check, 160, 300, 120, 20, L"Autosave before TC", L"Autosave before TC"},
    {kAllowCustomRules, Check, 17, 245, 120, 20, L"Allow custom rules", L"Allow custom rules"},
    {kKervBasedRules, Check, 160, 245, 120, 20, L"Kerv Based rules", L"Kerv Based rules"},
    {kRulesLabel, Label, 17, 275, 50, 20, L"Rules:", L"Rules:"},
    {kRulesBox, List, 110, 270, 180, 20, nullptr, nullptr},
    {kAutosave, Check, 17, 300, 120, 20, L"Autosave", L"Autosave"},
    {kAutomove, Check, 17, 325, 120, 20, L"Automove", L"Automove"},
    {kCenterOnEvent, Check, 160, 220, 120, 20, L"Center on event", L"Center on event"},
    {kViewBounds, Check, 160, 325, 140, 20, L"View bounds", L"View bounds"},
    {kScrollSpeedLabel, Label, 17, 353, 80, 20, L"Scroll speed:", L"Scroll speed:"},
    {kScrollSpeedBox, List, 110, 350, 180, 20, nullptr, nullptr},
    {kMovementSpeedLabel, Label, 17, 378, 80, 20, L"Movem.speed:", L"Movem.speed:"},
    {kMovementSpeedBox, List, 110, 375, 180, 20, nullptr, nullptr},
    {kGameTypeLabel, Label, 17, 403, 80, 20, L"Game type:", L"Game type:"},
    {kGameTypeBox, List, 110, 400, 180, 20, nullptr, nullptr},
    {kCombatTypeLabel, Label, 17, 428, 80, 20, L"Combat type:", L"Combat type:"},
    {kCombatTypeBox, List, 110, 425, 180, 20, nullptr, nullptr},
    {kEmailLabel, Label, 17, 473, 80, 20, L"E-mail:", L"E-Mal:"},
    {kEmailField, Edit, 110, 470, 180, 20, nullptr, nullptr},
    {kSmtpLabel, Label, 17, 498, 80, 20, L"SMTP:", L"SMTP:"},
    {kSmtpField, Edit, 110, 495, 180, 20, nullptr, nullptr},
    {kFolderLabel, Label, 17, 523, 80, 20, L"Folder:", L"Folder:"},
    {kFolderField, Edit, 110, 520, 180, 20, nullptr, nullptr},
};

const std::vector<Expected> kPlaylistLayout = {
    {kSongsLabel, Label, 10, 10, 200, 25, L"Available songs:", L"Available songs:"},
    {kSongList, SongList, 5, 40, 220, 170, nullptr, nullptr},
    {kPlaylistOk, Button, 10, 215, 100, 25, L"OK", L"Ok"},
    {kPlaylistCancel, Button, 120, 215, 100, 25, L"Cancel", L"Cancel"},
};

// clang-format off
const std::vector<ControlId> kMainTooltips = {
    kOk, kCancel,
    kSoundFx, kMusic, kDirectSound, kSelectionSounds, kMovementSounds, kAmbientSounds, kEventSounds,
    kDisplayModeBox, kAdapterBox, kDisplayLevelBox, kCursorsBox, kShowIntro, kAllowResolutionSwitches, kUseDirect3D,
    kLanguageBox, kRulesBox, kBlood, kAutosaveBeforeTc, kAllowCustomRules, kKervBasedRules, kAutosave, kAutomove,
    kViewPanning, kCenterOnEvent, kViewBounds, kUsePlaylist,
    kScrollSpeedBox, kMovementSpeedBox, kGameTypeBox, kCombatTypeBox,
    kEmailField, kSmtpField, kFolderField,
};
// clang-format on

const std::vector<ControlId> kSwitchedOffTips = {kKervBasedRules, kAdapterBox, kRulesBox, kViewBounds};

const std::map<ControlId, std::vector<ExpectedItem>> kMainListItems = {
    {kAdapterBox, {{"31", L"Default", L"Default"}}},
    {kDisplayLevelBox, {{"32a", L"Low", L"Low"}, {"32b", L"Medium", L"Medium"}, {"32c", L"High", L"High"}}},
    {kCursorsBox,
     {{"33a", L"Software", L"Software"}, {"33b", L"Black & White", L"Black & White"}, {"33c", L"Color", L"Color"}}},
    {kLanguageBox,
     {{"34a", L"Auto", L"Auto"},
      {"34b", L"English", L"English"},
      {"34c", L"German", L"German"},
      {"34d", L"French", L"French"},
      {"34e", L"Italian", L"Italian"},
      {"34f", L"Polish", L"Polish"},
      {"34g", L"Russian", L"Russian"},
      {"34h", L"Chinese (Traditional)", L"Chinese (Traditional)"},
      {"34j", L"Chinese (Simplified)", L"Chinese (Simplified)"},
      {"34k", L"Japanese", L"Japanese"},
      {"34l", L"Korean", L"Korean"}}},
    {kRulesBox, {{"35", L"Default", L"Default"}}},
    {kScrollSpeedBox, {{"36a", L"Slow", L"Slow"}, {"36b", L"Normal", L"Normal"}, {"36c", L"Fast", L"Fast"}}},
    {kMovementSpeedBox, {{"37a", L"Slow", L"Slow"}, {"37b", L"Normal", L"Normal"}, {"37c", L"Fast", L"Fast"}}},
    {kGameTypeBox, {{"38a", L"Synchron.", L"Synchron."}, {"38b", L"Classic.", L"Classic."}}},
    {kCombatTypeBox,
     {{"39a", L"Choose", L"Choose"}, {"39b", L"Avtobattle only", L"Avto"}, {"39d", L"Human only", L"Personal"}}},
};

bool MayGrow(Kind kind)
{
    return kind == Check || kind == Label;
}

std::wstring ControlText(HWND control)
{
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

namespace {

struct TooltipSearch {
    HWND owner;
    std::vector<HWND> found;
};

// Called by EnumWindows, so CALLBACK: on x86 a lambda's calling convention is not the system's.
BOOL CALLBACK CollectTooltip(HWND candidate, LPARAM context)
{
    auto* search = reinterpret_cast<TooltipSearch*>(context);
    if (GetWindow(candidate, GW_OWNER) == search->owner && ClassName(candidate) == L"tooltips_class32")
        search->found.push_back(candidate);
    return TRUE;
}

}  // namespace

std::vector<HWND> TooltipsOf(HWND window)
{
    TooltipSearch search{window, {}};
    EnumWindows(CollectTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> ComboItems(HWND combo)
{
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = L"";
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

RECT ControlRect(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveToDpi(HWND window, unsigned dpi)
{
    RECT suggested;
    GetWindowRect(window, &suggested);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

namespace {

int Scale(int length, unsigned dpi)
{
    return MulDiv(length, static_cast<int>(dpi), 96);
}

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The room a control gives its caption, in pixels, as the controls draw it.
int RoomFor(Kind kind, int width, unsigned dpi, HDC dc)
{
    int zero = 0;
    GetCharWidth32W(dc, L'0', L'0', &zero);
    switch (kind) {
    case Frame: return width - 16;  // the caption sits 7 pixels in, with a pixel of margin
    case Button: return width - 6;  // inside the raised edge
    case Check: return width - (12 * static_cast<int>(dpi) / 96 + 1) - zero / 2 - 2;  // box and gap
    case List: return width - GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) - 6;          // beside the arrow
    default: return width;
    }
}

}  // namespace

void ExpectPlacedAtDpi(HWND window, const std::vector<Expected>& layout, int clientWidth, int clientHeight,
                       unsigned dpi)
{
    const int slack = dpi == 96 ? 0 : 2;
    for (const Expected& row : layout) {
        HWND control = GetDlgItem(window, row.id);
        ASSERT_NE(control, nullptr) << row.id;
        const RECT rect = ControlRect(control);
        const int width = Scale(row.x + row.width, dpi) - Scale(row.x, dpi);
        EXPECT_NEAR(rect.left, Scale(row.x, dpi), slack) << row.id;
        EXPECT_NEAR(rect.top, Scale(row.y, dpi), slack) << row.id;
        // A closed drop-down list is as high as its font makes it.
        if (row.kind != List)
            EXPECT_NEAR(rect.bottom - rect.top, Scale(row.y + row.height, dpi) - Scale(row.y, dpi), slack) << row.id;
        if (!MayGrow(row.kind)) {
            EXPECT_NEAR(rect.right - rect.left, width, slack) << row.id;
            continue;
        }
        EXPECT_GE(rect.right - rect.left, width - slack) << row.id;
        if (rect.right - rect.left <= width + slack) continue;
        // A grown caption took only room that nothing else uses.
        for (const Expected& other : layout) {
            if (other.id == row.id) continue;
            const RECT otherRect = ControlRect(GetDlgItem(window, other.id));
            if (other.kind == Frame) {
                if (rect.left >= otherRect.left && rect.left < otherRect.right && rect.top >= otherRect.top &&
                    rect.top < otherRect.bottom)
                    EXPECT_LT(rect.right, otherRect.right) << row.id << " grew out of its frame " << other.id;
            } else if (other.kind != List || row.kind != Check) {
                EXPECT_FALSE(Overlap(rect, otherRect)) << row.id << " grew over " << other.id;
            } else {
                // An open drop-down list may cover what lies below its box; its box may not be covered.
                RECT box = otherRect;
                box.bottom = box.top + Scale(20, dpi);
                EXPECT_FALSE(Overlap(rect, box)) << row.id << " grew over " << other.id;
            }
        }
    }
    // What a control paints stays inside the frame that holds it, border included.
    for (const Expected& frame : layout) {
        if (frame.kind != Frame) continue;
        const RECT bounds = ControlRect(GetDlgItem(window, frame.id));
        for (const Expected& row : layout) {
            HWND control = GetDlgItem(window, row.id);
            RECT shown = ControlRect(control);
            if (row.kind == Frame || shown.left < bounds.left || shown.left >= bounds.right || shown.top < bounds.top ||
                shown.top >= bounds.bottom)
                continue;
            HRGN region = CreateRectRgn(0, 0, 0, 0);
            RECT box;
            if (GetWindowRgn(control, region) != ERROR && GetRgnBox(region, &box) != ERROR)
                shown.right = shown.left + box.right;
            DeleteObject(region);
            EXPECT_LE(shown.right, bounds.right - 2) << row.id << " paints over the border of frame " << frame.id;
        }
    }
    RECT client;
    GetClientRect(window, &client);
    EXPECT_NEAR(client.right, Scale(clientWidth, dpi), slack);
    EXPECT_NEAR(client.bottom, Scale(clientHeight, dpi), slack);
}

std::vector<CutCaption> CutCaptions(HWND window, const std::vector<Expected>& layout, unsigned dpi)
{
    std::vector<CutCaption> cut;
    HDC dc = GetDC(window);
    for (const Expected& row : layout) {
        HWND control = GetDlgItem(window, row.id);
        const RECT rect = ControlRect(control);
        const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        std::vector<std::wstring> texts;
        int room = RoomFor(row.kind, rect.right - rect.left, dpi, dc);
        if (row.kind == List) texts = ComboItems(control);
        else if (row.kind == SongList) {
            wchar_t title[256] = L"";
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = title;
            column.cchTextMax = 256;
            SendMessageW(control, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
            texts = {title};
            room = column.cx - 12;  // the header's margins either side
        } else if (row.builtIn) {
            texts = {ControlText(control)};
        }
        for (const std::wstring& text : texts) {
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            if (extent.cx > room) cut.push_back({row.id, text, extent.cx, room});
        }
        SelectObject(dc, previous);
    }
    ReleaseDC(window, dc);
    return cut;
}

namespace {

std::vector<std::uint32_t> Painted(HWND control, int width, int height)
{
    Canvas canvas(width, height);
    SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    return canvas.Pixels();
}

struct InkSpan {
    int left = 0, right = -1;
    int Width() const { return right - left + 1; }
    void Add(int x)
    {
        if (right < left) left = right = x;
        left = std::min(left, x);
        right = std::max(right, x);
    }
};

// The caption's ink: what the control draws with its caption and not without
// it, other than the face colour (the gap a frame leaves in its line for it).
InkSpan CaptionInk(HWND control, const std::wstring& caption)
{
    RECT window;
    GetWindowRect(control, &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const std::vector<std::uint32_t> with = Painted(control, width, height);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    const std::vector<std::uint32_t> without = Painted(control, width, height);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool clipped = GetWindowRgn(control, region) != ERROR;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t facePixel = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    InkSpan ink;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            const std::uint32_t pixel = with[at] & 0xFFFFFF;
            if (pixel == (without[at] & 0xFFFFFF) || pixel == facePixel) continue;
            if (clipped && !PtInRegion(region, x, y)) continue;
            ink.Add(x);
        }
    DeleteObject(region);
    return ink;
}

// The ink of the text drawn alone in the font, on the face colour.
InkSpan InkAlone(const std::wstring& text, HFONT font)
{
    SIZE extent{};
    Canvas measure(1, 1);
    SelectObject(measure.dc(), font);
    GetTextExtentPoint32W(measure.dc(), text.c_str(), static_cast<int>(text.size()), &extent);
    const int width = extent.cx + 40, height = extent.cy + 10;
    Canvas canvas(width, height);
    RECT all{0, 0, width, height};
    FillRect(canvas.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
    SelectObject(canvas.dc(), font);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), GetSysColor(COLOR_BTNTEXT));
    TextOutW(canvas.dc(), 20, 5, text.c_str(), static_cast<int>(text.size()));
    const std::vector<std::uint32_t> pixels = canvas.Pixels();
    const std::uint32_t face = pixels[0] & 0xFFFFFF;
    InkSpan ink;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF) != face) ink.Add(x);
    return ink;
}

}  // namespace

std::vector<CutCaption> CaptionsDrawnCut(HWND window, const std::vector<Expected>& layout)
{
    std::vector<CutCaption> cut;
    for (const Expected& row : layout) {
        if (!row.builtIn || (row.kind != Frame && row.kind != Button && row.kind != Check && row.kind != Label))
            continue;
        HWND control = GetDlgItem(window, row.id);
        const std::wstring caption = ControlText(control);
        if (caption.empty()) continue;
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        const int drawn = CaptionInk(control, caption).Width(), alone = InkAlone(caption, font).Width();
        if (drawn < alone) cut.push_back({row.id, caption, alone, drawn});
    }
    return cut;
}
