#pragma once
// The program's drop-down lists: a closed box that shows the chosen item, and
// a list that opens below it. They look like the system's drop-down lists and
// answer its messages (CB_ADDSTRING, CB_RESETCONTENT, CB_GETCOUNT,
// CB_GETCURSEL, CB_SETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_SHOWDROPDOWN,
// CB_GETDROPPEDSTATE, WM_GETTEXT for the chosen item), and tell their parent
// of every choice the player makes with WM_COMMAND and CBN_SELCHANGE.
//
// They differ in one thing: the open list is a window made when the player
// first opens it. The system's drop-down list makes its top-level list window
// along with the box, and under Wine every top-level window costs an X window:
// ten of them were an eighth of the editor's start.
//
// The height a drop-down list is created or moved with is the room of its open
// list, counted from the top of the box; the box itself is as high as its font
// makes it.

#include <windows.h>

extern const wchar_t kDropDownListClass[];

// Registers the window class once; false when it cannot be registered.
bool RegisterDropDownList();
