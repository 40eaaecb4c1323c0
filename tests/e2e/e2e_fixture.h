#pragma once
// What every end-to-end test starts from: a scratch working folder holding a
// "Dict" folder and an empty game folder, no settings of the game's in the
// registry before or after, and one way to start the program, act on its
// main window and finish it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game_facts.h"
#include "program_driver.h"
#include "window_layouts.h"
#include "wine_fixtures.h"

// The close box, which has no control number, as a way to finish.
inline constexpr ControlId kCloseBox = kNoControl;

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // "Game" in the working folder, as Windows names it.
    std::string GameFolder() const { return folder.File("Game"); }
    // Folders below the game folder, each with the folders above it.
    void MakeGameFolders(const std::vector<std::string>& relative) const;

    // Starts the program, waits for its main window, lets act work on it, then
    // presses finish (OK, Cancel or the close box) and expects the program to
    // end with exit code 0. Each wait is bounded by timeoutMs.
    void Run(const std::function<void(HWND)>& act, ControlId finish = kOk, DWORD timeoutMs = 15000);
    // Within act: ticks "Use playlist" and waits for the playlist window; null after the time limit.
    HWND OpenPlaylist(HWND mainWindow, DWORD timeoutMs = 15000) const;
    // Within act: the program's visible window of that title; null after the time limit.
    HWND WaitForWindow(const std::wstring& title, DWORD timeoutMs = 15000) const;

    ScratchFolder folder;

private:
    const ProgramRun* running_ = nullptr;
};
