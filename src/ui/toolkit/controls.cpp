#include "ui/toolkit/controls.h"

#include <commctrl.h>

#include "ui/layout/dpi.h"
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

int CheckBoxSize(HWND list)
{
    int width = 0, height = 0;
    return ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_STATE), &width, &height) ? width : 0;
}

// What the list's own boxes measure at the system's DPI: as seen when the
// list was made there; else the system's small icon, their size on Windows.
int OwnCheckBoxSizeAtSystemDpi(const PlacedControl& placed)
{
    return placed.ownCheckBoxSize ? placed.ownCheckBoxSize : GetSystemMetrics(SM_CXSMICON);
}

// The two states of a row's check box, unticked and ticked, in a square of
// the given size, drawn as the system draws a flat check box.
HIMAGELIST CheckBoxImages(int size)
{
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32, 2, 0);
    if (!images) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, size * 2, size);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(dc, strip);
    const RECT all{0, 0, size * 2, size};
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    // The box takes 13 of 16 pixels, as the list's own does.
    const int box = MulDiv(size, 13, 16), inset = (size - box) / 2;
    for (int state = 0; state < 2; ++state) {
        RECT rect{state * size + inset, inset, state * size + inset + box, inset + box};
        DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (state ? DFCS_CHECKED : 0));
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    if (ImageList_Add(images, strip, nullptr) < 0) {
        ImageList_Destroy(images);
        images = nullptr;
    }
    DeleteObject(strip);
    return images;
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

void TickRow(HWND list, int row, bool ticked)
{
    ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void ShowRowCheckBoxes(HWND list)
{
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES);
    // Under Wine they are the theme's 13-pixel check box, not a small icon.
    const WindowRecord* record = RecordOf(GetParent(list));
    PlacedControl* placed = PlacedOf(list);
    if (record && placed && record->dpi == SystemDpi()) placed->ownCheckBoxSize = CheckBoxSize(list);
}

void FitRowCheckBoxes(HWND list, unsigned dpi)
{
    PlacedControl* placed = PlacedOf(list);
    if (!placed) return;
    const int fitting = MulDiv(OwnCheckBoxSizeAtSystemDpi(*placed), static_cast<int>(dpi),
                               static_cast<int>(SystemDpi()));
    if (!placed->drawnCheckBoxes && CheckBoxSize(list) == fitting) return;  // its own, and they fit
    std::vector<bool> ticked(static_cast<std::size_t>(ListView_GetItemCount(list)));
    for (std::size_t row = 0; row < ticked.size(); ++row) ticked[row] = IsRowTicked(list, static_cast<int>(row));
    // The list's own boxes first: switched off and on, the list makes them
    // again (and destroys the ones it showed), at the size of the DPI the
    // system made its metrics for, or, where the system makes them for each
    // DPI, for the window's own. Only where they do not come out at the DPI's size does
    // it show boxes drawn for the DPI, which it destroys when it goes.
    placed->drawnCheckBoxes = false;
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES, 0);
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    if (CheckBoxSize(list) != fitting) {
        if (HIMAGELIST boxes = CheckBoxImages(SystemMetricForDpi(SM_CXSMICON, dpi))) {
            if (HIMAGELIST own = ListView_SetImageList(list, boxes, LVSIL_STATE)) ImageList_Destroy(own);
            placed->drawnCheckBoxes = true;
        }
    }
    for (std::size_t row = 0; row < ticked.size(); ++row) TickRow(list, static_cast<int>(row), ticked[row]);
}
