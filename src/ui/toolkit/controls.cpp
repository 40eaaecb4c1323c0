#include "ui/toolkit/controls.h"

#include <commctrl.h>

#include "ui/toolkit/text_codec.h"
#include "ui/toolkit/window_record.h"

namespace {

std::wstring Decode(const std::string& text, TextOrigin origin)
{
    return origin == TextOrigin::Dictionary ? DecodeUiText(text) : DecodeText(text, CP_ACP);
}

// The 8-bit texts of a box's items; a box the program did not place has none.
std::vector<std::string>* ItemsOf(HWND box)
{
    PlacedControl* placed = PlacedOf(box);
    return placed ? &placed->items : nullptr;
}

}  // namespace

HWND Control(HWND window, ControlId id)
{
    return GetDlgItem(window, id);
}

void EnableControl(HWND control, bool enabled)
{
    EnableWindow(control, enabled);
}

bool IsChecked(HWND checkBox)
{
    return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND checkBox, bool checked)
{
    SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int ItemCount(HWND box)
{
    const std::vector<std::string>* items = ItemsOf(box);
    return items ? static_cast<int>(items->size()) : 0;
}

std::string ItemText(HWND box, int index)
{
    const std::vector<std::string>* items = ItemsOf(box);
    if (!items || index < 0 || index >= static_cast<int>(items->size())) return {};
    return (*items)[index];
}

std::vector<std::string> ItemTexts(HWND box)
{
    const std::vector<std::string>* items = ItemsOf(box);
    return items ? *items : std::vector<std::string>{};
}

void AddItem(HWND box, const std::string& text, TextOrigin origin)
{
    std::vector<std::string>* items = ItemsOf(box);
    if (!items) return;
    if (SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Decode(text, origin).c_str())) < 0) return;
    items->push_back(text);
}

void RemoveAllItems(HWND box)
{
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    if (std::vector<std::string>* items = ItemsOf(box)) items->clear();
}

int SelectedIndex(HWND box)
{
    const LRESULT index = SendMessageW(box, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void SelectItem(HWND box, int index)
{
    if (index < 0 || index >= ItemCount(box)) index = -1;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string SelectedItemText(HWND box)
{
    return ItemText(box, SelectedIndex(box));
}

std::string FieldText(HWND field)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return EncodeText(text, CP_ACP);
}

void SetFieldText(HWND field, const std::string& text)
{
    SetWindowTextW(field, DecodeText(text, CP_ACP).c_str());
}

void AddRows(HWND list, const std::vector<std::string>& texts, TextOrigin origin)
{
    SendMessageW(list, LVM_SETITEMCOUNT, texts.size(), 0);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::wstring text = Decode(texts[i], origin);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

bool IsRowTicked(HWND list, int row)
{
    return ListView_GetCheckState(list, row);
}

void TickRow(HWND list, int row)
{
    ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}
