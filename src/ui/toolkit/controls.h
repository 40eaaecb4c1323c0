#pragma once
// Operations on the system's controls, each taking the control it works on:
// check boxes, choice boxes, edit fields and the check-box list. Texts go in
// and come out as the program's 8-bit texts; the controls show them decoded
// with the code page they were written in.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/control_ids.h"

// A control of a window by its number.
HWND Control(HWND window, ControlId id);

void EnableControl(HWND control, bool enabled);

bool IsChecked(HWND checkBox);
void SetChecked(HWND checkBox, bool checked);

// Where a text came from, and so which code page it is in: the dictionary's
// texts are in the interface language's, the registry's and the file
// system's in the system's ANSI code page.
enum class TextOrigin { Dictionary, System };

// Choice boxes keep their items' 8-bit texts, which a round trip through the
// box's UTF-16 could change.
int ItemCount(HWND box);
std::string ItemText(HWND box, int index);  // empty for an index without item
std::vector<std::string> ItemTexts(HWND box);
void AddItem(HWND box, const std::string& text, TextOrigin origin);
void RemoveAllItems(HWND box);
int SelectedIndex(HWND box);  // -1 without selection
void SelectItem(HWND box, int index);
std::string SelectedItemText(HWND box);

// Edit fields hold texts of the system's ANSI code page.
std::string FieldText(HWND field);
void SetFieldText(HWND field, const std::string& text);

// A report-style list with a check box on every row, filled once.
void AddRows(HWND list, const std::vector<std::string>& texts, TextOrigin origin);
bool IsRowTicked(HWND list, int row);
void TickRow(HWND list, int row, bool ticked = true);
// Gives every row of the list a check box of the list's own.
void ShowRowCheckBoxes(HWND list);
// The row check boxes for the window's DPI, ticks kept: the list's own, made
// again, wherever they come out at the DPI's size; drawn ones elsewhere.
void FitRowCheckBoxes(HWND list, unsigned dpi);
