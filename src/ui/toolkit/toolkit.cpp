#include "ui/toolkit/toolkit.h"

#include <commctrl.h>

#include <deque>
#include <list>

#include "app/resources/resource_ids.h"
#include "ui/layout/placement.h"
#include "ui/toolkit/dialog_keys.h"
#include "ui/toolkit/window_record.h"

namespace {

constexpr wchar_t kWindowClass[] = L"KervaneSettingsWindow";
constexpr UINT kEventPosted = WM_APP + 1;

std::deque<UiEvent> PendingEvents;
std::list<WindowRecord> Records;  // one for each window of the program's, where it stays put
ATOM WindowClassAtom = 0;

WindowRecord* RecordIn(HWND window)
{
    return reinterpret_cast<WindowRecord*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool IsControlNotification(WORD code)
{
    return code == BN_CLICKED || code == CBN_SELCHANGE || code == EN_CHANGE;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowRecord* record = RecordIn(window);
    switch (message) {
    case WM_NCCREATE:
        // The record comes with the window and goes with it, at WM_NCDESTROY,
        // the last message a window gets, after its controls are gone.
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&Records.emplace_back()));
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        Records.remove_if([record](const WindowRecord& kept) { return &kept == record; });
        break;
    case WM_COMMAND:
        if (lParam != 0 && IsControlNotification(HIWORD(wParam)))
            RaiseEvent({UiEventKind::Control, window, LOWORD(wParam)});
        return 0;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == NM_CLICK || header->code == LVN_ITEMCHANGED)
            RaiseEvent({UiEventKind::Control, window, static_cast<int>(header->idFrom)});
        return 0;
    }
    case WM_CLOSE:
        // Closing is the loop's decision, not the window's.
        RaiseEvent({UiEventKind::CloseRequest, window, kNoControl});
        return 0;
    case WM_ACTIVATE:
        if (!record) break;
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) record->focus = focus;
        } else if (record->focus) {
            SetFocus(record->focus);
            return 0;
        }
        break;
    case DM_GETDEFID:
        // The dialog manager asks this when the focus moves between buttons.
        if (record && record->defaultButton != kNoControl) return MAKELRESULT(record->defaultButton, DC_HASDEFID);
        break;
    case WM_DPICHANGED: LayOutForDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWindowClass()
{
    if (WindowClassAtom) return true;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                        0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    WindowClassAtom = RegisterClassExW(&windowClass);
    return WindowClassAtom != 0;
}

}  // namespace

WindowRecord* RecordOf(HWND window)
{
    // Other windows (a control, the tooltip, a message box) keep their own user data.
    if (!window || !WindowClassAtom || GetClassWord(window, GCW_ATOM) != WindowClassAtom) return nullptr;
    return RecordIn(window);
}

PlacedControl* PlacedOf(HWND control)
{
    WindowRecord* record = RecordOf(GetParent(control));
    if (!record) return nullptr;
    for (PlacedControl& placed : record->controls)
        if (placed.control == control) return &placed;
    return nullptr;
}

void RaiseEvent(const UiEvent& event)
{
    PendingEvents.push_back(event);
    PostThreadMessageW(GetCurrentThreadId(), kEventPosted, 0, 0);
}

UiEvent WaitEvent()
{
    for (;;) {
        if (!PendingEvents.empty()) {
            const UiEvent event = PendingEvents.front();
            PendingEvents.pop_front();
            return event;
        }
        MSG message;
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) return {UiEventKind::CloseRequest, nullptr, kNoControl};
        if (message.hwnd == nullptr) continue;  // the wake-up note itself
        // Tab, Shift+Tab, the space bar, Enter and Esc work as in a dialog.
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (!root || (!PressDialogKey(root, message) && !IsDialogMessageW(root, &message))) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (root) ShowDefaultButton(root);
    }
}

HWND CreateProgramWindow(const std::wstring& title, DWORD style, int clientWidth, int clientHeight)
{
    if (!RegisterWindowClass()) return nullptr;
    // Opened on the primary screen, then sized for that screen's DPI and centred on it.
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, title.c_str(), style & ~WS_VISIBLE, 0, 0,
                                  clientWidth, clientHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return nullptr;
    PlaceProgramWindow(window, clientWidth, clientHeight);
    if (style & WS_VISIBLE) ShowWindow(window, SW_SHOW);
    return window;
}

void SetFocusControl(HWND window, HWND control)
{
    if (WindowRecord* record = RecordOf(window)) record->focus = control;
    // A hidden window gets the focus to its control when it is shown and activated.
    if (IsWindowVisible(window)) SetFocus(control);
}
