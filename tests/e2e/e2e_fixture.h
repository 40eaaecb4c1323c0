#pragma once
// What every end-to-end test starts from: a scratch working folder holding a
// "Dict" folder and an empty game folder, no settings of the game's in the
// registry before or after, and one way to start the program, act on its
// main window and finish it.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game_facts.h"
#include "program_driver.h"
#include "window_layouts.h"
#include "wine_fixtures.h"

// The close box, which has no control number, as a way to finish.
inline constexpr ControlId kCloseBox = kNoControl;

// The system's DPI, as Wine keeps it, for the programs started while this lives.
class SystemDpi {
public:
    explicit SystemDpi(std::uint32_t dpi);
    ~SystemDpi();
    SystemDpi(const SystemDpi&) = delete;
    SystemDpi& operator=(const SystemDpi&) = delete;

private:
    std::optional<RawValue> previous_;
};

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

    // The editor's first start in a game, as a new player has it: it rebuilds
    // the exact dictionary, lists the game's rules folder, shows "Music" as
    // stored (cleared), and OK writes it ticked. alsoCheck looks at the main
    // window before OK.
    void ExpectFirstStartWorks(const std::function<void(HWND)>& alsoCheck = {});

    // The running program's process, within act.
    HANDLE RunningProcess() const;

    ScratchFolder folder;
    // The build that Run starts: the players' exe unless a test names another.
    std::string program = ProgramPath();

private:
    const ProgramRun* running_ = nullptr;
};
