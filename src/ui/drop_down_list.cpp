#include "ui/drop_down_list.h"

#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "ui/dpi.h"

const wchar_t kDropDownListClass[] = L"KervaneDropDownList";

namespace {

// The box's metrics, as the system draws its drop-down lists: a two-pixel
// sunken edge around a text area four pixels higher than the font.
constexpr int kEdge = 2;
constexpr int kTextPadding = 4;
constexpr int kListBorder = 1;

struct DropDown {
    HWND self = nullptr;
    HWND list = nullptr;  // the open part; made when it first opens
    HTHEME theme = nullptr;
    HFONT font = nullptr;
    int fontHeight = 0;
    int room = 0;  // the height the box was given: the most the box and its open list may take
    std::vector<std::wstring> items;
    int selected = -1;
    bool focused = false;
    bool open = false;
    bool pressed = false;      // the mouse button went down on the box and is still down
    bool hot = false;          // the mouse is over the box
    bool keepCapture = false;  // the list's scroll bar borrows the mouse for a moment
};

// Every drop-down list of the program, from its first message to its last.
std::map<HWND, DropDown> Boxes;

// Measured on one memory device context kept for the program's life: unlike
// a window's, it costs Wine no trip to its server.
int MeasureFontHeight(HFONT font)
{
    static const HDC measure = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(measure, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(measure, &metrics);
    SelectObject(measure, previous);
    return metrics.tmHeight;
}

int BoxHeight(const DropDown& box)
{
    return box.fontHeight + kTextPadding + 2 * kEdge;
}

void Notify(const DropDown& box, WORD code)
{
    const auto id = static_cast<WORD>(GetDlgCtrlID(box.self));
    SendMessageW(GetParent(box.self), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(box.self));
}

void Redraw(const DropDown& box)
{
    InvalidateRect(box.self, nullptr, FALSE);
}

// The box's text area and its arrow button, in client coordinates.
void BoxParts(const DropDown& box, RECT& text, RECT& button)
{
    GetClientRect(box.self, &text);
    InflateRect(&text, -kEdge, -kEdge);
    text.bottom = text.top + box.fontHeight + kTextPadding;
    button = text;
    button.left = std::max(text.left, button.right - SystemMetricForDpi(SM_CXVSCROLL, WindowDpi(box.self)));
    text.right = button.left;
}

// The chosen item, with the colours the parent gives an edit field (or a
// disabled one), highlighted while the box has the focus and is closed.
void PaintText(const DropDown& box, HDC dc, RECT area)
{
    HWND parent = GetParent(box.self);
    const bool enabled = IsWindowEnabled(box.self);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(box.self)));
    if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    // Visual styles give the text area the box's own background.
    if (!box.theme) FillRect(dc, &area, brush);
    InflateRect(&area, -1, -1);
    const bool highlighted = box.focused && !box.open;
    if (highlighted) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    const std::wstring* text = box.selected >= 0 ? &box.items[static_cast<std::size_t>(box.selected)] : nullptr;
    const HGDIOBJ previousFont = SelectObject(dc, box.font ? box.font : GetStockObject(SYSTEM_FONT));
    const int previousMode = SetBkMode(dc, box.theme && !highlighted ? TRANSPARENT : OPAQUE);
    ExtTextOutW(dc, area.left + 1, area.top + 1, ETO_CLIPPED | (box.theme && !highlighted ? 0 : ETO_OPAQUE), &area,
                text ? text->c_str() : L"", text ? static_cast<UINT>(text->size()) : 0, nullptr);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
    if (highlighted) DrawFocusRect(dc, &area);
}

int ThemeState(const DropDown& box)
{
    if (!IsWindowEnabled(box.self)) return CBXS_DISABLED;
    if (box.pressed || box.open) return CBXS_PRESSED;
    return box.hot ? CBXS_HOT : CBXS_NORMAL;
}

void Paint(const DropDown& box, HDC dc)
{
    RECT client, text, button;
    GetClientRect(box.self, &client);
    BoxParts(box, text, button);
    if (box.theme) {
        // Visual styles draw a drop-down list as a button with an arrow at its right.
        const int state = ThemeState(box);
        const int part = IsThemePartDefined(box.theme, CP_READONLY, 0) ? CP_READONLY : CP_BORDER;
        if (IsThemeBackgroundPartiallyTransparent(box.theme, part, state))
            DrawThemeParentBackground(box.self, dc, &client);
        DrawThemeBackground(box.theme, dc, part, state, &client, nullptr);
        const int arrow = IsThemePartDefined(box.theme, CP_DROPDOWNBUTTONRIGHT, 0) ? CP_DROPDOWNBUTTONRIGHT
                                                                                   : CP_DROPDOWNBUTTON;
        DrawThemeBackground(box.theme, dc, arrow, state, &button, nullptr);
    } else {
        DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
        UINT buttonState = DFCS_SCROLLCOMBOBOX;
        if (box.pressed) buttonState |= DFCS_PUSHED;
        if (!IsWindowEnabled(box.self)) buttonState |= DFCS_INACTIVE;
        DrawFrameControl(dc, &button, DFC_SCROLL, buttonState);
    }
    PaintText(box, dc, text);
}

// The box keeps the height its font needs; any other height it is given is
// the room of its open list.
void FitHeight(DropDown& box)
{
    RECT rect;
    GetWindowRect(box.self, &rect);
    SetWindowPos(box.self, nullptr, 0, 0, rect.right - rect.left, BoxHeight(box),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND MakeList(const DropDown& box)
{
    HWND list = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"ListBox", nullptr,
                                WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
                                GetAncestor(box.self, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!list) return nullptr;
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(box.font), FALSE);
    for (const std::wstring& item : box.items)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    return list;
}

int ItemHeight(const DropDown& box)
{
    if (box.list) return std::max(1, static_cast<int>(SendMessageW(box.list, LB_GETITEMHEIGHT, 0, 0)));
    return std::max(1, box.fontHeight);
}

// How many items the open list shows at once.
int VisibleRows(const DropDown& box)
{
    const int rows = (box.room - BoxHeight(box) - 2 * kListBorder) / ItemHeight(box);
    return std::clamp(rows, 1, std::max(1, static_cast<int>(box.items.size())));
}

void Open(DropDown& box)
{
    if (box.open || !IsWindowEnabled(box.self)) return;
    if (!box.list) box.list = MakeList(box);
    if (!box.list) return;
    SendMessageW(box.list, LB_SETCURSEL, static_cast<WPARAM>(box.selected), 0);
    SendMessageW(box.list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(box.selected, 0)), 0);

    RECT rect;
    GetWindowRect(box.self, &rect);
    const int height = VisibleRows(box) * ItemHeight(box) + 2 * kListBorder;
    // Below the box, or above it where the screen ends first.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY), &monitor);
    int top = rect.bottom;
    if (top + height > monitor.rcWork.bottom) top = std::max(rect.top - height, monitor.rcWork.top);
    SetWindowPos(box.list, HWND_TOPMOST, rect.left, top, rect.right - rect.left, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    box.open = true;
    SetCapture(box.self);
    Redraw(box);
}

// Closes the open list; with choose, the item it shows chosen becomes the box's choice.
void Close(DropDown& box, bool choose)
{
    if (!box.open) return;
    box.open = false;
    box.pressed = false;
    ShowWindow(box.list, SW_HIDE);
    if (GetCapture() == box.self) ReleaseCapture();
    Redraw(box);
    if (!choose) return;
    const auto index = static_cast<int>(SendMessageW(box.list, LB_GETCURSEL, 0, 0));
    if (index < 0 || index == box.selected) return;
    box.selected = index;
    Notify(box, CBN_SELCHANGE);
}

// The item the open list shows chosen, or else the box's choice.
int Current(const DropDown& box)
{
    if (box.open) return static_cast<int>(SendMessageW(box.list, LB_GETCURSEL, 0, 0));
    return box.selected;
}

// Moves to an item by key, wheel or first letter: in the open list only what
// it shows chosen, in the closed box the player's choice itself.
void MoveTo(DropDown& box, int index)
{
    const int last = static_cast<int>(box.items.size()) - 1;
    if (last < 0) return;
    index = std::clamp(index, 0, last);
    if (box.open) {
        SendMessageW(box.list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    if (index == box.selected) return;
    box.selected = index;
    Redraw(box);
    Notify(box, CBN_SELCHANGE);
}

// The next item after the current one that starts with the typed letter.
void FindByLetter(DropDown& box, wchar_t letter)
{
    const auto count = static_cast<int>(box.items.size());
    const wint_t wanted = std::towlower(letter);
    for (int step = 1; step <= count; ++step) {
        const int index = (std::max(Current(box), -1) + step) % count;
        const std::wstring& item = box.items[static_cast<std::size_t>(index)];
        if (!item.empty() && std::towlower(item.front()) == wanted) {
            MoveTo(box, index);
            return;
        }
    }
}

bool OnKey(DropDown& box, WPARAM key)
{
    const int current = Current(box);
    switch (key) {
    case VK_UP:
    case VK_LEFT: MoveTo(box, current - 1); return true;
    case VK_DOWN:
    case VK_RIGHT: MoveTo(box, current + 1); return true;
    case VK_PRIOR: MoveTo(box, current - VisibleRows(box) + 1); return true;
    case VK_NEXT: MoveTo(box, current + VisibleRows(box) - 1); return true;
    case VK_HOME: MoveTo(box, 0); return true;
    case VK_END: MoveTo(box, static_cast<int>(box.items.size()) - 1); return true;
    case VK_F4:
        if (box.open) Close(box, true);
        else Open(box);
        return true;
    case VK_RETURN:
        if (!box.open) return false;
        Close(box, true);
        return true;
    case VK_ESCAPE:
        if (!box.open) return false;
        Close(box, false);
        return true;
    default: return false;
    }
}

// Where a point of the box's client area falls in the open list: an item, -1
// beside the items, or the list's scroll bar.
enum class ListSpot { Outside, Item, ScrollBar };

ListSpot SpotInList(const DropDown& box, POINT clientPoint, int& item)
{
    POINT point = clientPoint;
    MapWindowPoints(box.self, box.list, &point, 1);
    RECT listClient;
    GetClientRect(box.list, &listClient);
    if (PtInRect(&listClient, point)) {
        const auto found = static_cast<DWORD>(
            SendMessageW(box.list, LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(point.x), point.y)));
        item = HIWORD(found) ? -1 : static_cast<int>(LOWORD(found));
        return ListSpot::Item;
    }
    POINT screen = clientPoint;
    ClientToScreen(box.self, &screen);
    RECT listWindow;
    GetWindowRect(box.list, &listWindow);
    return PtInRect(&listWindow, screen) ? ListSpot::ScrollBar : ListSpot::Outside;
}

// The scroll bar works by itself: it gets the mouse until its button is let
// go, and then the open list takes the mouse back.
void ScrollList(DropDown& box, POINT clientPoint)
{
    POINT screen = clientPoint;
    ClientToScreen(box.self, &screen);
    const LRESULT hit = SendMessageW(box.list, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    box.keepCapture = true;
    ReleaseCapture();
    const HWND self = box.self;
    SendMessageW(box.list, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
    // The scroll bar's loop has handled every message meanwhile: the box may be gone.
    const auto found = Boxes.find(self);
    if (found == Boxes.end()) return;
    if (found->second.open) SetCapture(self);
    found->second.keepCapture = false;
}

void OnButtonDown(DropDown& box, POINT point)
{
    if (!box.focused) SetFocus(box.self);
    if (!box.open) {
        box.pressed = true;
        Open(box);
        return;
    }
    int item = -1;
    switch (SpotInList(box, point, item)) {
    case ListSpot::Item:
        if (item >= 0) SendMessageW(box.list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
        box.pressed = true;
        break;
    case ListSpot::ScrollBar: ScrollList(box, point); break;
    case ListSpot::Outside: Close(box, false); break;
    }
}

void OnButtonUp(DropDown& box, POINT point)
{
    const bool wasPressed = box.pressed;
    box.pressed = false;
    Redraw(box);
    if (!box.open || !wasPressed) return;
    int item = -1;
    if (SpotInList(box, point, item) == ListSpot::Item && item >= 0) {
        SendMessageW(box.list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
        Close(box, true);
    }
}

void OnMouseMove(DropDown& box, POINT point)
{
    if (!box.hot && box.theme) {
        box.hot = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, box.self, 0};
        TrackMouseEvent(&track);
        Redraw(box);
    }
    int item = -1;
    if (box.open && SpotInList(box, point, item) == ListSpot::Item && item >= 0)
        SendMessageW(box.list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

void SetItems(DropDown& box, std::vector<std::wstring> items)
{
    Close(box, false);
    box.items = std::move(items);
    box.selected = -1;
    if (box.list) SendMessageW(box.list, LB_RESETCONTENT, 0, 0);
    Redraw(box);
}

LRESULT CopyText(const std::wstring& text, wchar_t* buffer, std::size_t room)
{
    if (!buffer || room == 0) return 0;
    const std::size_t length = std::min(text.size(), room - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = L'\0';
    return static_cast<LRESULT>(length);
}

const std::wstring& SelectedText(const DropDown& box)
{
    static const std::wstring none;
    return box.selected >= 0 ? box.items[static_cast<std::size_t>(box.selected)] : none;
}

bool ValidIndex(const DropDown& box, WPARAM index)
{
    return index < box.items.size();
}

LRESULT OnListMessage(DropDown& box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case CB_ADDSTRING: {
        const auto* text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        box.items.emplace_back(text);
        if (box.list) SendMessageW(box.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        return static_cast<LRESULT>(box.items.size() - 1);
    }
    case CB_RESETCONTENT: SetItems(box, {}); return CB_OKAY;
    case CB_GETCOUNT: return static_cast<LRESULT>(box.items.size());
    case CB_GETCURSEL: return box.selected >= 0 ? box.selected : CB_ERR;
    case CB_SETCURSEL:
        box.selected = ValidIndex(box, wParam) ? static_cast<int>(wParam) : -1;
        if (box.open) SendMessageW(box.list, LB_SETCURSEL, static_cast<WPARAM>(box.selected), 0);
        Redraw(box);
        return box.selected >= 0 ? box.selected : CB_ERR;
    case CB_GETLBTEXTLEN: return ValidIndex(box, wParam) ? static_cast<LRESULT>(box.items[wParam].size()) : CB_ERR;
    case CB_GETLBTEXT:
        if (!ValidIndex(box, wParam) || !lParam) return CB_ERR;
        // The caller's buffer holds the whole text, as CB_GETLBTEXTLEN told it.
        return CopyText(box.items[wParam], reinterpret_cast<wchar_t*>(lParam), box.items[wParam].size() + 1);
    case CB_SHOWDROPDOWN:
        if (wParam) Open(box);
        else Close(box, false);
        return TRUE;
    case CB_GETDROPPEDSTATE: return box.open ? TRUE : FALSE;
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(SelectedText(box).size());
    case WM_GETTEXT: return CopyText(SelectedText(box), reinterpret_cast<wchar_t*>(lParam), wParam);
    default:
        // The combo-box messages it does not keep (item data, searches, an edit
        // field's selection) fail instead of seeming to work.
        if (message >= CB_GETEDITSEL && message < CB_MSGMAX) return CB_ERR;
        return DefWindowProcW(box.self, message, wParam, lParam);
    }
}

POINT PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT CALLBACK DropDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        DropDown& created = Boxes[window];
        created.self = window;
        created.fontHeight = MeasureFontHeight(nullptr);
        created.room = reinterpret_cast<const CREATESTRUCTW*>(lParam)->cy;
    }
    const auto found = Boxes.find(window);
    if (found == Boxes.end()) return DefWindowProcW(window, message, wParam, lParam);
    DropDown& box = found->second;
    switch (message) {
    case WM_CREATE:
        box.theme = OpenThemeData(window, L"COMBOBOX");
        FitHeight(box);
        return 0;
    case WM_NCDESTROY:
        if (box.theme) CloseThemeData(box.theme);
        // The window the list belongs to may have taken it down already.
        if (box.list && IsWindow(box.list)) DestroyWindow(box.list);
        Boxes.erase(found);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_THEMECHANGED:
        if (box.theme) CloseThemeData(box.theme);
        box.theme = OpenThemeData(window, L"COMBOBOX");
        Redraw(box);
        return 0;
    case WM_WINDOWPOSCHANGING: {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(position->flags & SWP_NOSIZE) && position->cy != BoxHeight(box)) {
            box.room = position->cy;
            position->cy = BoxHeight(box);
        }
        return 0;
    }
    case WM_SETFONT:
        box.font = reinterpret_cast<HFONT>(wParam);
        box.fontHeight = MeasureFontHeight(box.font);
        if (box.list) SendMessageW(box.list, WM_SETFONT, wParam, FALSE);
        FitHeight(box);
        if (LOWORD(lParam)) Redraw(box);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(box.font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Paint(box, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: Paint(box, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ENABLE:
        if (!wParam) Close(box, false);
        Redraw(box);
        return 0;
    case WM_SETFOCUS:
        box.focused = true;
        Redraw(box);
        return 0;
    case WM_KILLFOCUS:
        // Leaving by Tab keeps the item the keys moved to, as the system's list
        // does; a click outside has already closed the list without a choice.
        box.focused = false;
        Redraw(box);
        Close(box, true);
        return 0;
    case WM_CANCELMODE:
        // A message box or a menu takes over the mouse: the open list gives way.
        Close(box, false);
        break;
    case WM_CAPTURECHANGED:
        if (!box.keepCapture && reinterpret_cast<HWND>(lParam) != window) Close(box, false);
        return 0;
    case WM_GETDLGCODE: {
        // While the list is open, Enter and Esc close it instead of working the
        // window's buttons; Tab still moves on, and the list closes behind it.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool closesList = box.open && key && key->message == WM_KEYDOWN &&
                                (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE);
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (closesList ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if (OnKey(box, wParam)) return 0;
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            if (box.open) Close(box, true);
            else Open(box);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam > L' ') FindByLetter(box, static_cast<wchar_t>(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (box.open) return SendMessageW(box.list, message, wParam, lParam);
        if (box.focused) MoveTo(box, Current(box) + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(box, PointOf(lParam)); return 0;
    case WM_LBUTTONUP: OnButtonUp(box, PointOf(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(box, PointOf(lParam)); return 0;
    case WM_MOUSELEAVE:
        box.hot = false;
        Redraw(box);
        return 0;
    default: return OnListMessage(box, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterDropDownList()
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = DropDownProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kDropDownListClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    return registered;
}
