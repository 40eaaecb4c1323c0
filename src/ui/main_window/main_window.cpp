#include "ui/main_window/main_window.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "display/mode_list.h"
#include "ui/layout/caption_fit.h"
#include "ui/layout/placement.h"
#include "ui/main_window/banner.h"
#include "ui/main_window/main_window_layout.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/dialog_keys.h"
#include "ui/toolkit/text_codec.h"
#include "ui/toolkit/toolkit.h"

namespace {

HWND Window = nullptr;

HWND CreateControl(const ControlLayout& layout, const std::string& caption, FontRole font)
{
    const wchar_t* className = L"BUTTON";
    DWORD style = 0;
    DWORD extendedStyle = 0;
    ControlPlace place{layout.id, {layout.x, layout.y, layout.width, layout.height}, 0, font, ControlRole::Plain};
    switch (layout.kind) {
    case ControlKind::Frame:
        style = BS_GROUPBOX;
        place.role = ControlRole::Frame;
        break;
    case ControlKind::PushButton: style = BS_PUSHBUTTON | WS_TABSTOP; break;
    case ControlKind::CheckBox:
        style = BS_AUTOCHECKBOX | WS_TABSTOP;
        place.role = ControlRole::CheckBox;
        break;
    case ControlKind::Label:
        className = L"STATIC";
        style = SS_LEFT;
        place.role = ControlRole::Label;
        break;
    case ControlKind::DropDown:
        className = WC_COMBOBOXW;
        style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        place.dropDownRoom = kDropDownListHeight;
        break;
    case ControlKind::EditField:
        className = L"EDIT";
        style = ES_AUTOHSCROLL | WS_TABSTOP;
        extendedStyle = WS_EX_CLIENTEDGE;
        break;
    }
    return CreateLaidOutControl(Window, className, DecodeUiText(caption), style, extendedStyle, place);
}

void CreateCaptioned(const ControlLayout& layout, FontRole font)
{
    const std::string caption = layout.fallback ? LookupText(std::to_string(layout.id), layout.fallback) : "";
    CreateControl(layout, caption, font);
}

void FillList(ControlId id)
{
    HWND box = MainControl(id);
    if (id == kDisplayModeBox) {
        const std::vector<std::string> entries(DisplayModeList.begin(), DisplayModeList.begin() + (LastModeIndex + 1));
        for (const std::string& text : DistinctModeTexts(entries)) AddItem(box, text, TextOrigin::Dictionary);
        return;
    }
    const auto items = kListItems.find(id);
    if (items == kListItems.end()) return;
    for (const ListItem& item : items->second)
        AddItem(box, LookupText(item.key, item.fallback), TextOrigin::Dictionary);
}

void AttachTooltips()
{
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 300);
    for (const ControlId id : kTooltipOrder) {
        const std::string text = LookupText(std::to_string(id) + "hlp", "");
        if (!tooltip) continue;
        std::wstring wide = DecodeUiText(text);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Window;
        tool.uId = reinterpret_cast<UINT_PTR>(MainControl(id));
        tool.lpszText = wide.data();  // an empty text shows no tooltip
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace

bool BuildMainWindow()
{
    Window = CreateProgramWindow(L"Vaelmoor: Kervane settings", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 615, 550);
    if (!Window) return false;

    // The banner takes its picture's size, drawn for the window's DPI.
    HWND banner = CreateLaidOutControl(Window, L"STATIC", L"", SS_BITMAP, 0, {kBanner, {8, 8, 598, 158}});
    OnLayout(banner, [](HWND control, unsigned dpi) {
        const HBITMAP previous = BannerImage;
        BannerImage = LoadBanner(dpi);
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(BannerImage));
        if (previous) DeleteObject(previous);
    });

    for (const ControlLayout& frame : kFrames) CreateCaptioned(frame, FontRole::Standard);
    for (const ControlLayout& button : kButtons) CreateCaptioned(button, FontRole::Button);
    for (const ControlLayout& control : kControls) {
        CreateCaptioned(control, FontRole::Standard);
        if (control.kind == ControlKind::DropDown) FillList(control.id);
    }
    AttachTooltips();
    FitCaptions(Window);

    SetFocusControl(Window, MainControl(kOk));
    SetDialogButtons(Window, kOk, kCancel);
    for (const ControlId id : {kKervBasedRules, kAdapterBox, kRulesBox}) EnableControl(MainControl(id), false);
    return true;
}

HWND MainWindow()
{
    return Window;
}

HWND MainControl(ControlId id)
{
    return Control(Window, id);
}

void ShowMainWindow()
{
    // Slides in from the top over 400 ms and is activated.
    AnimateWindow(Window, 400, AW_SLIDE | AW_ACTIVATE | AW_VER_POSITIVE);
    if (!IsWindowVisible(Window)) ShowWindow(Window, SW_SHOW);
}

void HideMainWindow()
{
    if (!Window) return;
    AnimateWindow(Window, 200, AW_BLEND | AW_HIDE);
    ShowWindow(Window, SW_HIDE);
}
