#include "ui/main_window.h"

#include <commctrl.h>

#include <map>
#include <vector>

#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "display/mode_list.h"
#include "ui/banner.h"
#include "ui/main_window_layout.h"
#include "ui/text_codec.h"
#include "ui/toolkit.h"
#include "ui/window_layout.h"

namespace {

struct ListItem {
    const char* key;
    const char* fallback;
};

const std::map<int, std::vector<ListItem>> kListItems = {
    {31, {{"31", "Default"}}},
    {32, {{"32a", "Low"}, {"32b", "Medium"}, {"32c", "High"}}},
    {33, {{"33a", "Software"}, {"33b", "Black & White"}, {"33c", "Color"}}},
    {34,
     {{"34a", "Auto"},
      {"34b", "English"},
      {"34c", "German"},
      {"34d", "French"},
      {"34e", "Italian"},
      {"34f", "Polish"},
      {"34g", "Russian"},
      {"34h", "Chinese (Traditional)"},
      {"34j", "Chinese (Simplified)"},
      {"34k", "Japanese"},
      {"34l", "Korean"}}},
    {35, {{"35", "Default"}}},
    {36, {{"36a", "Slow"}, {"36b", "Normal"}, {"36c", "Fast"}}},
    {37, {{"37a", "Slow"}, {"37b", "Normal"}, {"37c", "Fast"}}},
    {38, {{"38a", "Synchron."}, {"38b", "Classic."}}},
    {39, {{"39a", "Choose"}, {"39b", "Avto"}, {"39d", "Personal"}}},
};

HWND Window = nullptr;
std::map<int, std::vector<std::string>> Items;  // the 8-bit texts of each box's items

HWND Control(int controlId)
{
    return GetDlgItem(Window, controlId);
}

unsigned CodePageOf(TextOrigin origin)
{
    return origin == TextOrigin::Dictionary ? UiCodePage(LanguageCode) : CP_ACP;
}

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
    return CreateLaidOutControl(Window, className, DecodeText(caption, UiCodePage(LanguageCode)), style, extendedStyle,
                                place);
}

void CreateCaptioned(const ControlLayout& layout, FontRole font)
{
    const std::string caption = layout.fallback ? LookupText(std::to_string(layout.id), layout.fallback) : "";
    CreateControl(layout, caption, font);
}

void FillList(int controlId)
{
    if (controlId == 30) {
        const std::vector<std::string> entries(DisplayModeList.begin(), DisplayModeList.begin() + (LastModeIndex + 1));
        const std::vector<std::string> distinct = DistinctModeTexts(entries);
        for (const std::string& text : distinct) AddItem(30, text, TextOrigin::Dictionary);
        return;
    }
    const auto items = kListItems.find(controlId);
    if (items == kListItems.end()) return;
    for (const ListItem& item : items->second)
        AddItem(controlId, LookupText(item.key, item.fallback), TextOrigin::Dictionary);
}

void AttachTooltips()
{
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 300);
    for (int id : kTooltipOrder) {
        const std::string text = LookupText(std::to_string(id) + "hlp", "");
        if (!tooltip) continue;
        std::wstring wide = DecodeText(text, UiCodePage(LanguageCode));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Window;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
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
    HWND banner = CreateLaidOutControl(Window, L"STATIC", L"", SS_BITMAP, 0, {103, {8, 8, 598, 158}});
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

    SetFocusControl(Window, Control(104));
    SetDialogButtons(Window, 104, 105);
    EnableControl(13, false);
    EnableControl(31, false);
    EnableControl(35, false);
    return true;
}

HWND MainWindow()
{
    return Window;
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

bool IsChecked(int controlId)
{
    return SendMessageW(Control(controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(int controlId, bool checked)
{
    SendMessageW(Control(controlId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void EnableControl(int controlId, bool enabled)
{
    EnableWindow(Control(controlId), enabled);
}

int ItemCount(int controlId)
{
    return static_cast<int>(Items[controlId].size());
}

std::string ItemText(int controlId, int index)
{
    const std::vector<std::string>& items = Items[controlId];
    if (index < 0 || index >= static_cast<int>(items.size())) return {};
    return items[index];
}

std::vector<std::string> ItemTexts(int controlId)
{
    return Items[controlId];
}

void AddItem(int controlId, const std::string& text, TextOrigin origin)
{
    const std::wstring wide = DecodeText(text, CodePageOf(origin));
    if (SendMessageW(Control(controlId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())) < 0) return;
    Items[controlId].push_back(text);
}

void RemoveAllItems(int controlId)
{
    SendMessageW(Control(controlId), CB_RESETCONTENT, 0, 0);
    Items[controlId].clear();
}

int SelectedIndex(int controlId)
{
    const LRESULT index = SendMessageW(Control(controlId), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void SelectItem(int controlId, int index)
{
    if (index < 0 || index >= ItemCount(controlId)) index = -1;
    SendMessageW(Control(controlId), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string SelectedItemText(int controlId)
{
    return ItemText(controlId, SelectedIndex(controlId));
}

std::string FieldText(int controlId)
{
    HWND field = Control(controlId);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return EncodeText(text, CP_ACP);
}

void SetFieldText(int controlId, const std::string& text)
{
    SetWindowTextW(Control(controlId), DecodeText(text, CP_ACP).c_str());
}
