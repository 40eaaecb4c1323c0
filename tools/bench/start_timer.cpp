// Times a program's start the way a player feels it: from the moment it is
// launched until its main window is on screen. Run under Wine as
//   start_timer <program.exe> <working folder> <window title>
// and it prints one line:
//   <ms to visible window> <ms from close request to exit> <peak working set bytes> <peak pagefile bytes>
// The program is then closed as a player would close it, and every wait has a
// time limit, so a program that hangs ends the measurement instead of the run.

#include <windows.h>

#include <mmsystem.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ui/control_ids.h"

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;

struct WindowSearch {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (std::wstring(text) != search.title) return TRUE;
    search.found = window;
    return FALSE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// The peaks seen so far; the process may still grow between the two reads.
void NotePeaks(HANDLE process, PROCESS_MEMORY_COUNTERS& peaks)
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return;
    peaks.PeakWorkingSetSize = std::max(peaks.PeakWorkingSetSize, counters.PeakWorkingSetSize);
    peaks.PeakPagefileUsage = std::max(peaks.PeakPagefileUsage, counters.PeakPagefileUsage);
}

// Asks the program to close: the editor's Cancel button when it has one,
// which closes without changing anything, else the close message.
void RequestClose(HWND window)
{
    HWND cancel = GetDlgItem(window, kCancel);
    if (cancel) {
        SendMessageTimeoutW(cancel, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    } else {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

int Fail(const char* what, PROCESS_INFORMATION& child)
{
    std::fprintf(stderr, "start_timer: %s\n", what);
    if (child.hProcess) {
        TerminateProcess(child.hProcess, 1);
        WaitForSingleObject(child.hProcess, kExitTimeoutMs);
    }
    return 1;
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 4) {
        std::fprintf(stderr, "usage: start_timer <program.exe> <working folder> <window title>\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const std::wstring folder = argv[2];
    const wchar_t* title = argv[3];

    // Sleep(1) sleeps a whole scheduler tick (15.6 ms) on Windows otherwise.
    timeBeginPeriod(1);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};

    const LARGE_INTEGER started = Now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &child))
        return Fail("cannot start the program", child);

    WindowSearch search{child.dwProcessId, title, nullptr};
    LARGE_INTEGER shown{};
    for (;;) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        shown = Now();
        if (search.found) break;
        if (WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0)
            return Fail("the program ended without its window", child);
        if (Milliseconds(started, shown, frequency) > kWindowTimeoutMs)
            return Fail("no window within the time limit", child);
        Sleep(1);
    }

    PROCESS_MEMORY_COUNTERS peaks{};
    NotePeaks(child.hProcess, peaks);
    // Give the program the moment a player would take to look: its event loop
    // is running and anything it does after showing the window has happened.
    SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    NotePeaks(child.hProcess, peaks);

    const LARGE_INTEGER closing = Now();
    RequestClose(search.found);
    if (WaitForSingleObject(child.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        // A click that went astray: the close box message is the second try.
        PostMessageW(search.found, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (WaitForSingleObject(child.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0)
            return Fail("the program did not close within the time limit", child);
    }
    const LARGE_INTEGER ended = Now();

    std::printf("%.2f %.2f %llu %llu\n", Milliseconds(started, shown, frequency),
                Milliseconds(closing, ended, frequency), static_cast<unsigned long long>(peaks.PeakWorkingSetSize),
                static_cast<unsigned long long>(peaks.PeakPagefileUsage));
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    timeEndPeriod(1);
    return 0;
}
