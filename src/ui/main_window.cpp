#include "ui/main_window.h"

#include <commctrl.h>

#include <map>
#include <vector>

#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "display/mode_list.h"
#include "ui/banner.h"
#include "ui/drop_down_list.h"
#include "ui/text_codec.h"
#include "ui/toolkit.h"
#include "ui/window_layout.h"

namespace {

enum class ControlKind { Frame, PushButton, CheckBox, Label, DropDown, EditField };

struct ControlLayout {
    int id;
    ControlKind kind;
    int x, y, width, height;
    const char* fallback;  // caption fallback; the caption key is the id in decimal
};

// Frames and the two buttons come first: the buttons get the bold font.
constexpr ControlLayout kFrames[] = {
    {100, ControlKind::Frame, 310, 177, 296, 200, "Video"},
    {101, ControlKind::Frame, 310, 382, 296, 125, "Sound"},
    {102, ControlKind::Frame, 8, 177, 295, 280, "General"},
    {106, ControlKind::Frame, 8, 457, 295, 90, "E-mail game"},
};

constexpr ControlLayout kButtons[] = {
    {104, ControlKind::PushButton, 330, 515, 125, 30, "OK"},
    {105, ControlKind::PushButton, 460, 515, 125, 30, "Cancel"},
};

constexpr ControlLayout kControls[] = {
    {0, ControlKind::CheckBox, 320, 405, 100, 20, "Sound FX"},
    {1, ControlKind::CheckBox, 320, 455, 100, 20, "Music"},
    {2, ControlKind::CheckBox, 320, 430, 100, 20, "Direct Sound"},
    {19, ControlKind::CheckBox, 320, 480, 120, 20, "Use playlist"},
    {3, ControlKind::CheckBox, 460, 405, 100, 20, "Selection Sounds"},
    {4, ControlKind::CheckBox, 460, 430, 100, 20, "Movement Sounds"},
    {5, ControlKind::CheckBox, 460, 455, 100, 20, "Ambient Sounds"},
    {6, ControlKind::CheckBox, 460, 480, 100, 20, "Event Sounds"},
    {20, ControlKind::Label, 320, 200, 80, 20, "Display mode:"},
    {30, ControlKind::DropDown, 400, 195, 200, 20, nullptr},
    {21, ControlKind::Label, 320, 225, 80, 20, "Adapter:"},
    {31, ControlKind::DropDown, 400, 220, 200, 20, nullptr},
    {22, ControlKind::Label, 320, 250, 80, 20, "Display level:"},
    {32, ControlKind::DropDown, 400, 245, 200, 20, nullptr},
    {23, ControlKind::Label, 320, 275, 80, 20, "Cursors:"},
    {33, ControlKind::DropDown, 400, 270, 200, 20, nullptr},
    {7, ControlKind::CheckBox, 320, 300, 130, 20, "Show Intro"},
    {8, ControlKind::CheckBox, 320, 325, 200, 20, "Allow Resolution Switches"},
    {9, ControlKind::CheckBox, 320, 350, 200, 20, "Use Direct3D"},
    {16, ControlKind::CheckBox, 460, 300, 200, 20, "View panning"},
    {24, ControlKind::Label, 17, 200, 50, 20, "Language:"},
    {34, ControlKind::DropDown, 110, 195, 180, 20, nullptr},
    {10, ControlKind::CheckBox, 17, 220, 120, 20, "Blood"},
    {11, ControlKind::CheckBox, 160, 300, 120, 20, "Autosave before TC"},
    {12, ControlKind::CheckBox, 17, 245, 120, 20, "Allow custom rules"},
    {13, ControlKind::CheckBox, 160, 245, 120, 20, "Kerv Based rules"},
    {25, ControlKind::Label, 17, 275, 50, 20, "Rules:"},
    {35, ControlKind::DropDown, 110, 270, 180, 20, nullptr},
    {14, ControlKind::CheckBox, 17, 300, 120, 20, "Autosave"},
    {15, ControlKind::CheckBox, 17, 325, 120, 20, "Automove"},
    {17, ControlKind::CheckBox, 160, 220, 120, 20, "Center on event"},
    {18, ControlKind::CheckBox, 160, 325, 140, 20, "View bounds"},
    {26, ControlKind::Label, 17, 353, 80, 20, "Scroll speed:"},
    {36, ControlKind::DropDown, 110, 350, 180, 20, nullptr},
    {27, ControlKind::Label, 17, 378, 80, 20, "Movem.speed:"},
    {37, ControlKind::DropDown, 110, 375, 180, 20, nullptr},
    {28, ControlKind::Label, 17, 403, 80, 20, "Game type:"},
    {38, ControlKind::DropDown, 110, 400, 180, 20, nullptr},
    {29, ControlKind::Label, 17, 428, 80, 20, "Combat type:"},
    {39, ControlKind::DropDown, 110, 425, 180, 20, nullptr},
    {50, ControlKind::Label, 17, 473, 80, 20, "E-Mal:"},
    {51, ControlKind::EditField, 110, 470, 180, 20, nullptr},
    {52, ControlKind::Label, 17, 498, 80, 20, "SMTP:"},
    {53, ControlKind::EditField, 110, 495, 180, 20, nullptr},
    {54, ControlKind::Label, 17, 523, 80, 20, "Folder:"},
    {55, ControlKind::EditField, 110, 520, 180, 20, nullptr},
};

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

constexpr int kTooltipOrder[] = {104, 105, 0,  1,  2,  3,  4,  5,  6,  30, 31, 32, 33, 7,  8,  9,  34, 35,
                                 10,  11,  12, 13, 14, 15, 16, 17, 18, 19, 36, 37, 38, 39, 51, 53, 55};

// The drop-down part of a choice box gets room below the closed box.
constexpr int kDropDownListHeight = 240;

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
        className = kDropDownListClass;
        style = CBS_DROPDOWNLIST | WS_TABSTOP;
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
    if (!RegisterDropDownList()) return false;
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
