#include "program_driver.h"

#include "wine_fixtures.h"

#include <commctrl.h>

#include <algorithm>

namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    if (ControlText(window) != *search->title) return TRUE;
    search->found = window;
    return FALSE;
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring EnvironmentBlock(const std::vector<std::string>& extra)
{
    std::vector<std::wstring> entries;
    entries.reserve(extra.size());
    for (const std::string& entry : extra) entries.push_back(Widen(entry));
    LPWCH inherited = GetEnvironmentStringsW();
    for (const wchar_t* entry = inherited; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        const std::wstring name = text.substr(0, text.find(L'=', 1) + 1);
        const bool replaced = std::any_of(entries.begin(), entries.begin() + static_cast<long>(extra.size()),
                                          [&](const std::wstring& e) {
                                              return _wcsnicmp(e.c_str(), name.c_str(), name.size()) == 0;
                                          });
        if (!replaced) entries.push_back(text);
    }
    FreeEnvironmentStringsW(inherited);
    std::wstring block;
    for (const std::wstring& entry : entries) block += entry + L'\0';
    return block + L'\0';
}

}  // namespace

std::string ProgramPath()
{
    return HostPath(KERVANE_PROGRAM);
}

ProgramRun::ProgramRun(const std::string& workingFolder, const std::vector<std::string>& extraEnvironment,
                       const std::string& program)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + Widen(program) + L"\"";
    std::wstring environment = EnvironmentBlock(extraEnvironment);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), Widen(workingFolder).c_str(), &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
}

ProgramRun::~ProgramRun()
{
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND ProgramRun::WaitForWindow(const std::wstring& title, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        WindowSearch search{processId_, &title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) return nullptr;
    } while (GetTickCount64() < deadline);
    return nullptr;
}

long ProgramRun::WaitForExit(DWORD timeoutMs)
{
    if (!process_) return -1;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

int ComboSelection(HWND combo)
{
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

bool IsTicked(HWND checkBox)
{
    return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Click(HWND button)
{
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
}

void Choose(HWND combo, int index)
{
    // The keys arrive through the program's own message loop: F4 opens the list,
    // Home and Down walk to the item, Enter chooses it.
    PostMessageW(combo, WM_KEYDOWN, VK_F4, 0);
    PostMessageW(combo, WM_KEYDOWN, VK_HOME, 0);
    for (int step = 0; step < index; ++step) PostMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(combo, WM_KEYDOWN, VK_RETURN, 0);
    WaitUntil([&] { return ComboSelection(combo) == index && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0); });
}

void Type(HWND edit, const std::wstring& text)
{
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PressCloseBox(HWND window)
{
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void PressKey(HWND window, WORD key)
{
    HWND focus = FocusOf(window);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(focus, WM_KEYDOWN, key, scan | 1);
    PostMessageW(focus, WM_KEYUP, key, scan | 1 | static_cast<LPARAM>(0xC0000000));
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool TabTo(HWND window, ControlId id)
{
    HWND target = GetDlgItem(window, id);
    for (int step = 0; step < 60; ++step) {
        if (WaitUntil([&] { return FocusOf(window) == target; }, step == 0 ? 0 : 500)) return true;
        PressKey(window, VK_TAB);
    }
    return false;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(10);
    }
    return true;
}

HWND OpenPlaylistWindow(const ProgramRun& program, HWND mainWindow, DWORD timeoutMs)
{
    Click(GetDlgItem(mainWindow, kUsePlaylist));
    return program.WaitForWindow(kPlaylistWindowTitle, timeoutMs);
}

bool PressAndWaitForClose(HWND window, ControlId button, DWORD timeoutMs)
{
    Click(GetDlgItem(window, button));
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::string PlaylistBytes(const std::vector<std::wstring>& songs)
{
    std::string text;
    for (const std::wstring& song : songs) text += std::string(song.begin(), song.end()) + "\r\n";
    return text;
}

namespace {

// Memory in the process that owns a window: list-view messages carry
// pointers, which must point into the receiving process.
class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteMemory()
    {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    void Write(std::size_t offset, const void* data, std::size_t size) const
    {
        WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    void Read(std::size_t offset, void* data, std::size_t size) const
    {
        ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

}  // namespace

std::vector<std::wstring> ListViewItems(HWND list)
{
    std::vector<std::wstring> items;
    constexpr std::size_t kChars = 512;
    RemoteMemory memory(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.cchTextMax = kChars;
        item.pszText = reinterpret_cast<wchar_t*>(memory.at(sizeof(LVITEMW)));
        memory.Write(0, &item, sizeof item);
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(memory.at(0)));
        wchar_t text[kChars] = L"";
        memory.Read(sizeof(LVITEMW), text, sizeof text);
        text[kChars - 1] = L'\0';
        items.emplace_back(text);
    }
    return items;
}

bool IsItemTicked(HWND list, int index)
{
    const LRESULT state = SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK);
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void TickItem(HWND list, int index, bool ticked)
{
    RemoteMemory memory(list, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    memory.Write(0, &item, sizeof item);
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(memory.at(0)));
}
