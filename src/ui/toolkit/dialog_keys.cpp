#include "ui/toolkit/dialog_keys.h"

#include "ui/toolkit/window_record.h"

namespace {

bool IsPushButton(HWND control)
{
    return SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
}

bool HasDialogButtons(const WindowRecord* record)
{
    return record && record->defaultButton != kNoControl;
}

}  // namespace

void SetDialogButtons(HWND window, ControlId defaultButton, ControlId cancelButton)
{
    WindowRecord* record = RecordOf(window);
    if (!record) return;
    record->defaultButton = defaultButton;
    record->cancelButton = cancelButton;
    ShowDefaultButton(window);
}

// The dialog manager would send IDOK (1) and IDCANCEL (2) instead, the numbers
// of the main window's "Music" and "Direct Sound" check boxes,
// indistinguishable from clicks on them; so those keys never reach it.
bool PressDialogKey(HWND window, const MSG& message)
{
    if (message.message != WM_KEYDOWN) return false;
    const WPARAM key = message.wParam;
    const bool enter = key == VK_RETURN || key == VK_EXECUTE;
    if (!enter && key != VK_ESCAPE && key != VK_CANCEL) return false;
    const WindowRecord* record = RecordOf(window);
    if (!HasDialogButtons(record)) return false;
    const LRESULT wants = SendMessageW(message.hwnd, WM_GETDLGCODE, key,
                                       reinterpret_cast<LPARAM>(const_cast<MSG*>(&message)));
    if (wants & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) return false;
    int id = record->cancelButton;
    if (enter) id = IsPushButton(message.hwnd) ? GetDlgCtrlID(message.hwnd) : record->defaultButton;
    HWND button = GetDlgItem(window, id);
    // What a click on it tells the window.
    if (button && IsWindowEnabled(button))
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
}

void ShowDefaultButton(HWND window)
{
    const WindowRecord* record = RecordOf(window);
    if (!HasDialogButtons(record)) return;
    HWND focus = GetFocus();
    const int shown = focus && GetParent(focus) == window && IsPushButton(focus) ? GetDlgCtrlID(focus)
                                                                                 : record->defaultButton;
    for (const int id : {record->defaultButton, record->cancelButton}) {
        HWND button = GetDlgItem(window, id);
        const LONG style = id == shown ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (button && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) != style)
            SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(style), TRUE);
    }
}
