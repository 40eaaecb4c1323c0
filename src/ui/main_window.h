#pragma once
// The main window: banner, four framed groups, every control with its fixed
// number, and the operations the rest of the program uses on the controls.

#include <windows.h>

#include <string>
#include <vector>

// Builds the window hidden, with every control, caption, list item and
// tooltip. False when the window itself cannot be created.
bool BuildMainWindow();
HWND MainWindow();

// Step 8 and step 10 of the main sequence.
void ShowMainWindow();
void HideMainWindow();

bool IsChecked(int controlId);
void SetChecked(int controlId, bool checked);
void EnableControl(int controlId, bool enabled);

// Choice boxes. Item texts are kept as the program's 8-bit texts; the box
// shows them decoded with the code page they were written in.
enum class TextOrigin { Dictionary, System };
int ItemCount(int controlId);
std::string ItemText(int controlId, int index);  // empty for an index without item
std::vector<std::string> ItemTexts(int controlId);
void AddItem(int controlId, const std::string& text, TextOrigin origin);
void RemoveAllItems(int controlId);
int SelectedIndex(int controlId);  // -1 without selection
void SelectItem(int controlId, int index);
std::string SelectedItemText(int controlId);

// Edit fields hold texts of the system's ANSI code page.
std::string FieldText(int controlId);
void SetFieldText(int controlId, const std::string& text);
