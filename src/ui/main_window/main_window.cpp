#include "ui/main_window/main_window.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "display/mode_list.h"
#include "ui/layout/caption_fit.h"
#include "ui/layout/dpi.h"
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

TTTOOLINFOW Tool(UINT flags, UINT_PTR id, wchar_t* text = nullptr)
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = flags | TTF_SUBCLASS;
    tool.hwnd = Window;
    tool.uId = id;
    tool.lpszText = text;  // an empty text shows no tooltip
    return tool;
}

// A disabled control gets no mouse messages: the window under it does. So the
// tip of a control that may be switched off is also a tool of the window,
// over the control's rectangle, which shows while the control is off.
TTTOOLINFOW ToolOverControl(ControlId id, wchar_t* text = nullptr)
{
    TTTOOLINFOW tool = Tool(0, static_cast<UINT_PTR>(id), text);
    GetWindowRect(MainControl(id), &tool.rect);
    MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&tool.rect), 2);
    return tool;
}

HWND AttachTooltips()
{
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    std::map<ControlId, std::wstring> texts;
    for (const ControlId id : kTooltipOrder) {
        std::wstring& text = texts[id] = DecodeUiText(LookupText(std::to_string(id) + "hlp", ""));
        if (!tooltip) continue;
        TTTOOLINFOW tool = Tool(TTF_IDISHWND, reinterpret_cast<UINT_PTR>(MainControl(id)), text.data());
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    for (const ControlId id : kMayBeSwitchedOff) {
        TTTOOLINFOW tool = ToolOverControl(id, texts[id].data());
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tooltip;
}

// The tips' width and the rectangles of the tools over controls follow the
// window's DPI and the controls' places.
void LayOutTooltips(HWND tooltip, unsigned dpi)
{
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, ScaleToDpi(300, dpi));
    for (const ControlId id : kMayBeSwitchedOff) {
        const TTTOOLINFOW tool = ToolOverControl(id);
        SendMessageW(tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
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
        // With Common Controls 6 the control shows its own copy of a bitmap
        // with alpha, and hands that copy back when it gets the next one: the
        // copy is then ours to delete, apart from the picture we loaded.
        const auto handedBack = reinterpret_cast<HBITMAP>(
            SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(BannerImage)));
        if (handedBack && handedBack != previous && handedBack != BannerImage) DeleteObject(handedBack);
        if (previous) DeleteObject(previous);
    });

    for (const ControlLayout& frame : kFrames) CreateCaptioned(frame, FontRole::Standard);
    for (const ControlLayout& button : kButtons) CreateCaptioned(button, FontRole::Button);
    for (const ControlLayout& control : kControls) {
        CreateCaptioned(control, FontRole::Standard);
        if (control.kind == ControlKind::DropDown) FillList(control.id);
    }
    HWND tooltip = AttachTooltips();
    FitCaptions(Window);
    OnWindowLayout(Window, [tooltip](HWND, unsigned dpi) { LayOutTooltips(tooltip, dpi); });

    SetFocusControl(Window, MainControl(kOk));
    SetDialogButtons(Window, kOk, kCancel);
    for (const ControlId id : kSwitchedOffAtStart) EnableControl(MainControl(id), false);
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
