#include "ui/toolkit.h"

#include <commctrl.h>

#include <deque>
#include <map>

#include "resources/resource_ids.h"
#include "ui/window_layout.h"

namespace {

constexpr wchar_t kWindowClass[] = L"KervaneSettingsWindow";
constexpr UINT kEventPosted = WM_APP + 1;

std::deque<UiEvent> PendingEvents;
std::map<HWND, HWND> FocusControls;

struct DialogButtons {
    int defaultId, cancelId;
};
std::map<HWND, DialogButtons> DialogKeys;

bool IsPushButton(HWND control)
{
    return SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
}

// Presses the button a dialog key stands for. The dialog manager would send
// IDOK (1) and IDCANCEL (2) instead, the numbers of the main window's "Music"
// and "Direct Sound" check boxes, indistinguishable from clicks on them; so
// those keys never reach it.
bool PressDialogKey(HWND window, const MSG& message)
{
    if (message.message != WM_KEYDOWN) return false;
    const WPARAM key = message.wParam;
    const bool enter = key == VK_RETURN || key == VK_EXECUTE;
    if (!enter && key != VK_ESCAPE && key != VK_CANCEL) return false;
    const auto found = DialogKeys.find(window);
    if (found == DialogKeys.end()) return false;
    const LRESULT wants = SendMessageW(message.hwnd, WM_GETDLGCODE, key,
                                       reinterpret_cast<LPARAM>(const_cast<MSG*>(&message)));
    if (wants & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) return false;
    int id = found->second.cancelId;
    if (enter) id = IsPushButton(message.hwnd) ? GetDlgCtrlID(message.hwnd) : found->second.defaultId;
    HWND button = GetDlgItem(window, id);
    // What a click on it tells the window.
    if (button && IsWindowEnabled(button))
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
}

// As in a dialog, the focused push button is drawn as the default; with the
// focus elsewhere, the default button is.
void ShowDefaultButton(HWND window)
{
    const auto found = DialogKeys.find(window);
    if (found == DialogKeys.end()) return;
    HWND focus = GetFocus();
    const int shown = focus && GetParent(focus) == window && IsPushButton(focus) ? GetDlgCtrlID(focus)
                                                                                 : found->second.defaultId;
    for (const int id : {found->second.defaultId, found->second.cancelId}) {
        HWND button = GetDlgItem(window, id);
        const LONG style = id == shown ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (button && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) != style)
            SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(style), TRUE);
    }
}

bool IsControlNotification(WORD code)
{
    return code == BN_CLICKED || code == CBN_SELCHANGE || code == EN_CHANGE;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
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
        RaiseEvent({UiEventKind::CloseRequest, window, -1});
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) FocusControls[window] = focus;
        } else if (auto found = FocusControls.find(window); found != FocusControls.end()) {
            SetFocus(found->second);
            return 0;
        }
        break;
    case DM_GETDEFID:
        // The dialog manager asks this when the focus moves between buttons.
        if (const auto found = DialogKeys.find(window); found != DialogKeys.end())
            return MAKELRESULT(found->second.defaultId, DC_HASDEFID);
        break;
    case WM_DPICHANGED: LayOutForDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_DESTROY:
        FocusControls.erase(window);
        DialogKeys.erase(window);
        ForgetLayout(window);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWindowClass()
{
    static bool registered = false;
    if (registered) return true;
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
    registered = RegisterClassExW(&windowClass) != 0;
    return registered;
}

}  // namespace

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
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) return {UiEventKind::CloseRequest, nullptr, -1};
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
    FocusControls[window] = control;
    // A hidden window gets the focus to its control when it is shown and activated.
    if (IsWindowVisible(window)) SetFocus(control);
}

void SetDialogButtons(HWND window, int defaultId, int cancelId)
{
    DialogKeys[window] = {defaultId, cancelId};
    ShowDefaultButton(window);
}
