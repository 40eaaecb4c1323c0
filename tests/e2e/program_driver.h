#pragma once
// Drives the real KervaneSettings.exe from a second process, as a player
// would: starts it in a working folder, finds its windows by title and its
// controls by number, reads them, clicks and chooses, and waits for the end.
// Every wait is bounded; a program that hangs is killed and fails its test.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "window_layouts.h"

// The players' exe, as Windows sees its path.
std::string ProgramPath();

class ProgramRun {
public:
    // Starts the program (the players' exe unless another build is named)
    // with workingFolder as its current directory. extraEnvironment holds
    // "NAME=value" entries added for the child only.
    explicit ProgramRun(const std::string& workingFolder, const std::vector<std::string>& extraEnvironment = {},
                        const std::string& program = ProgramPath());
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool started() const { return process_ != nullptr; }
    HANDLE process() const { return process_; }
    // The visible top-level window of the program with this title; null after the time limit.
    HWND WaitForWindow(const std::wstring& title, DWORD timeoutMs = 15000) const;
    // The exit code, or -1 when the program had to be killed after the time limit.
    long WaitForExit(DWORD timeoutMs = 15000);

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

int ComboSelection(HWND combo);
bool IsTicked(HWND checkBox);

// Presses a button or toggles a check box as a click does.
void Click(HWND button);
// Chooses an item of a drop-down list with the keys a player uses, and waits, bounded, until it shows.
void Choose(HWND combo, int index);
// Replaces the text of an edit field as typing does.
void Type(HWND edit, const std::wstring& text);
// Presses the close box.
void PressCloseBox(HWND window);
// Presses and lets go of a key on the control that holds the keyboard focus.
void PressKey(HWND window, WORD key);
// The control that holds the keyboard focus in the window's thread.
HWND FocusOf(HWND window);
// Moves the focus with Tab until the control of that number holds it; false after a round without it.
bool TabTo(HWND window, ControlId id);

// The bytes of a playlist of these songs: each on a line of its own, ended by CR LF.
std::string PlaylistBytes(const std::vector<std::wstring>& songs);

// The items of a report-style list of another process, and their check boxes.
std::vector<std::wstring> ListViewItems(HWND list);
bool IsItemTicked(HWND list, int index);
void TickItem(HWND list, int index, bool ticked);

// The program reacts to a click after the click itself has returned; this
// waits, bounded, until the reaction shows.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Ticks "Use playlist" in the main window as a click does and waits for the
// playlist window; null after the time limit.
HWND OpenPlaylistWindow(const ProgramRun& program, HWND mainWindow, DWORD timeoutMs = 15000);

// Presses the button of a window that closes it (the playlist's OK or Cancel)
// and waits, bounded, until the window is gone.
bool PressAndWaitForClose(HWND window, ControlId button, DWORD timeoutMs = 5000);
