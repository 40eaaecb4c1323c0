#include "display/graphics.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/process_values.h"
#include "display/start_up_error.h"
#include "ui/toolkit/text_codec.h"
#include "wine_fixtures.h"

namespace {

constexpr char kWindowClassName[] = "MultimediaBase Class";

// Graphics are always stopped again, whatever a test asserted.
struct GraphicsStopper {
    ~GraphicsStopper() { StopGraphics(); }
};

std::vector<ScreenMode> WalkModeTable()
{
    std::vector<ScreenMode> modes;
    while (NextScreenMode()) modes.push_back(CurrentScreenMode());
    return modes;
}

void ExpectNoCurrentMode()
{
    const ScreenMode mode = CurrentScreenMode();
    EXPECT_EQ(mode.width, 0);
    EXPECT_EQ(mode.height, 0);
    EXPECT_EQ(mode.depth, 0);
    EXPECT_EQ(mode.refresh, 0);
}

bool ClassRegistered()
{
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    return GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClassName, &info) != 0;
}

TEST(StartGraphics, SucceedsAndHoldsAHiddenOnePixelPopUp)
{
    GraphicsStopper stopper;
    ASSERT_TRUE(StartGraphics());

    const HWND window = FindWindowA(kWindowClassName, "");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION), static_cast<LONG>(WS_POPUP));
    RECT bounds{};
    ASSERT_TRUE(GetWindowRect(window, &bounds));
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.right, 1);
    EXPECT_EQ(bounds.bottom, 1);

    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClassName, &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(info.hbrBackground, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

TEST(StopGraphics, RemovesTheWindowAndItsClassAndIsHarmlessTwice)
{
    ASSERT_TRUE(StartGraphics());

    StopGraphics();
    EXPECT_EQ(FindWindowA(kWindowClassName, ""), nullptr);
    EXPECT_FALSE(ClassRegistered());
    StopGraphics();

    // Everything was given back: a new start finds the class name free.
    GraphicsStopper stopper;
    EXPECT_TRUE(StartGraphics());
}

TEST(StartGraphics, LoadsDirect3DAndDirectInputOnlyWhileRunning)
{
    ASSERT_EQ(GetModuleHandleA("d3d9.dll"), nullptr) << "linked at load time";
    {
        GraphicsStopper stopper;
        ASSERT_TRUE(StartGraphics());
        EXPECT_NE(GetModuleHandleA("d3d9.dll"), nullptr);
        EXPECT_NE(GetModuleHandleA("dinput.dll"), nullptr);
    }
    EXPECT_EQ(GetModuleHandleA("d3d9.dll"), nullptr);
}

TEST(StartGraphics, FailsWhenTheWindowClassIsTakenAndLeavesItAlone)
{
    WNDCLASSEXA taken{};
    taken.cbSize = sizeof taken;
    taken.lpfnWndProc = DefWindowProcA;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = kWindowClassName;
    ASSERT_TRUE(RegisterClassExA(&taken));

    EXPECT_FALSE(StartGraphics());
    EXPECT_TRUE(ScanScreenModes());
    EXPECT_FALSE(NextScreenMode()) << "no Direct3D, so no modes";
    ExpectNoCurrentMode();
    StopGraphics();
    StopGraphics();

    EXPECT_TRUE(ClassRegistered()) << "the class belongs to someone else";
    ASSERT_TRUE(UnregisterClassA(kWindowClassName, GetModuleHandleA(nullptr)));
}

TEST(ScanScreenModes, WalksSixteenAndThirtyTwoBitModesThenEndsWithNoCurrentMode)
{
    GraphicsStopper stopper;
    ASSERT_TRUE(StartGraphics());

    ASSERT_TRUE(ScanScreenModes());
    ExpectNoCurrentMode();
    const std::vector<ScreenMode> modes = WalkModeTable();

    ASSERT_FALSE(modes.empty());
    for (const ScreenMode& mode : modes) {
        EXPECT_TRUE(mode.depth == 16 || mode.depth == 32) << mode.depth;
        EXPECT_GT(mode.width, 0);
        EXPECT_GT(mode.height, 0);
    }
    // The 16-bit records come first, then the 32-bit ones.
    EXPECT_TRUE(std::is_sorted(modes.begin(), modes.end(),
                               [](const ScreenMode& a, const ScreenMode& b) { return a.depth < b.depth; }));
    ExpectNoCurrentMode();
    EXPECT_FALSE(NextScreenMode());

    // A new scan starts again at the first record.
    ASSERT_TRUE(ScanScreenModes());
    EXPECT_EQ(WalkModeTable().size(), modes.size());
}

// Tests that read texts or write the log run in a scratch folder, so nothing lands in the tree.
using BuildDisplayModeListTest = ScratchFolderTest;

TEST_F(BuildDisplayModeListTest, OffersWindowedThenEightHundredThenWideModesInTextOrder)
{
    GraphicsStopper stopper;
    ASSERT_TRUE(StartGraphics());
    ASSERT_EQ(DisplayModeList.size(), 1000u);

    BuildDisplayModeList();

    ASSERT_GE(DisplayModeList.size(), 2u);
    EXPECT_LT(DisplayModeList.size(), 1000u);
    EXPECT_EQ(DisplayModeList[0], "Window");
    EXPECT_EQ(DisplayModeList[1], "800*600");
    EXPECT_EQ(LastModeIndex, static_cast<std::int32_t>(DisplayModeList.size()) - 1);
    EXPECT_TRUE(std::is_sorted(DisplayModeList.begin() + 2, DisplayModeList.end()));
    for (auto entry = DisplayModeList.begin() + 2; entry != DisplayModeList.end(); ++entry) {
        EXPECT_GT(std::stoi(*entry), 1000) << *entry;
        EXPECT_NE(entry->find('*'), std::string::npos) << *entry;
    }
}

TEST_F(BuildDisplayModeListTest, MatchesTheScannedTable)
{
    GraphicsStopper stopper;
    ASSERT_TRUE(StartGraphics());
    ASSERT_TRUE(ScanScreenModes());
    const std::vector<ScreenMode> modes = WalkModeTable();

    BuildDisplayModeList();

    EXPECT_EQ(DisplayModeList, BuildModeTexts("Window", modes));
}

using StartUpErrorTest = ScratchFolderTest;

// What the start-up error box showed, read while it is open.
struct ShownBox {
    std::wstring title;
    std::vector<std::wstring> texts;
    bool owned = true;
    bool hasIcon = false;
    int buttons = 0;
    bool hasOk = false;
};

ShownBox shownBox;
HHOOK boxHook = nullptr;

bool HasStyle(HWND window, LONG style)
{
    return (GetWindowLongW(window, GWL_STYLE) & style) == style;
}

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM)
{
    // The box is not shown yet, so a control counts when it is meant to be seen.
    if (!HasStyle(child, WS_VISIBLE)) return TRUE;
    wchar_t className[32]{};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        shownBox.hasIcon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
    } else if (lstrcmpiW(className, L"Button") == 0) {
        ++shownBox.buttons;
        shownBox.hasOk = shownBox.hasOk || GetDlgCtrlID(child) == IDOK;
    }
    wchar_t text[256]{};
    GetWindowTextW(child, text, 256);
    shownBox.texts.emplace_back(text);
    return TRUE;
}

// Reads the box once it has set itself up, then presses its OK button.
LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG) {
        wchar_t title[256]{};
        GetWindowTextW(call->hwnd, title, 256);
        shownBox.title = title;
        shownBox.owned = GetWindow(call->hwnd, GW_OWNER) != nullptr;
        EnumChildWindows(call->hwnd, ReadBoxChild, 0);
        PostMessageW(call->hwnd, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

TEST_F(StartUpErrorTest, ShowsAnUnownedErrorBoxWithTheDefaultTexts)
{
    shownBox = {};
    boxHook = SetWindowsHookExW(WH_CALLWNDPROCRET, BoxHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(boxHook, nullptr);

    StartUpError();
    UnhookWindowsHookEx(boxHook);

    EXPECT_EQ(shownBox.title, L"Error!");
    EXPECT_NE(std::find(shownBox.texts.begin(), shownBox.texts.end(),
                        L"Can't start DirectX! Please, try original file!"),
              shownBox.texts.end());
    EXPECT_FALSE(shownBox.owned);
    EXPECT_TRUE(shownBox.hasIcon);
    EXPECT_EQ(shownBox.buttons, 1);
    EXPECT_TRUE(shownBox.hasOk);
}

struct DecodeCase {
    const char* bytes;
    unsigned codePage;
    const wchar_t* text;
};

class DecodeTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTextTest, ReadsTheBytesInTheGivenCodePage)
{
    EXPECT_EQ(DecodeText(GetParam().bytes, GetParam().codePage), GetParam().text);
}

// Kept by hand: "Gr\xF6\xDF" "e" is one string written in two pieces, which ends the
// escape before the e; the formatter would put each piece on a line of its own.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    CodePages, DecodeTextTest,
    testing::Values(DecodeCase{"Error!", 1252, L"Error!"}, DecodeCase{"", 1251, L""},
                    DecodeCase{"\xCE\xEA\xEE\xED\xED\xFB\xE9", 1251, L"\u041E\u043A\u043E\u043D\u043D\u044B\u0439"},
                    DecodeCase{"\xB3\xB9\xEA", 1250, L"\u0142\u0105\u0119"},
                    DecodeCase{"Gr\xF6\xDF" "e", 1252, L"Gr\u00F6\u00DFe"},
                    DecodeCase{"\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45", 932, L"\u30A6\u30A3\u30F3\u30C9\u30A6"},
                    DecodeCase{"\xB4\xB0", 936, L"\u7A97"}, DecodeCase{"\xB5\xA1", 950, L"\u7A97"},
                    DecodeCase{"\xC3\xA2\xB9\xAE", 949, L"\uCC3D\uBB38"}));
// clang-format on

bool RunningUnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Disables d3d9 for the programs this executable starts, through Wine's
// per-program DLL overrides (Wine looks for that key when a program starts);
// removed again at the end.
class Direct3DDisabledForChildren {
public:
    explicit Direct3DDisabledForChildren(const std::string& executableName)
        : key_("Software\\Wine\\AppDefaults\\" + executableName)
    {
        SetText(key_ + "\\DllOverrides", "d3d9", "");
    }
    Direct3DDisabledForChildren(const Direct3DDisabledForChildren&) = delete;
    Direct3DDisabledForChildren& operator=(const Direct3DDisabledForChildren&) = delete;
    ~Direct3DDisabledForChildren() { DeleteKeyTree(key_); }

    bool set() const { return ReadRawValue(key_ + "\\DllOverrides", "d3d9") == RawValue{REG_SZ, WithZero("")}; }

private:
    std::string key_;
};

// The child copy of this executable answers by its exit code alone.
constexpr char kChildVariable[] = "KERVANE_GRAPHICS_TEST_CHILD";
constexpr DWORD kChildStarted = 11;
constexpr DWORD kChildFailedToStart = 12;

std::string ExecutablePath()
{
    char path[MAX_PATH]{};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Runs this executable's d3d9 test in a child process; its exit code, or the
// error that kept it from starting.
DWORD RunChildCopy(const std::string& executable)
{
    std::string commandLine = "\"";
    commandLine.append(executable).append("\" --gtest_filter=StartGraphics.FailsWhenDirect3DCannotBeLoaded");
    SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const BOOL created = CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &child);
    const DWORD error = GetLastError();
    SetEnvironmentVariableA(kChildVariable, nullptr);
    if (!created) return error;

    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return exitCode;
}

TEST(StartGraphics, FailsWhenDirect3DCannotBeLoaded)
{
    if (GetEnvironmentVariableA(kChildVariable, nullptr, 0) > 0) {
        const bool started = StartGraphics();
        StopGraphics();
        ExitProcess(started ? kChildStarted : kChildFailedToStart);
    }
    if (!RunningUnderWine()) GTEST_SKIP() << "d3d9 is disabled through Wine's DLL overrides";

    const std::string executable = ExecutablePath();
    {
        const Direct3DDisabledForChildren disabled(executable.substr(executable.find_last_of('\\') + 1));
        ASSERT_TRUE(disabled.set());
        EXPECT_EQ(RunChildCopy(executable), kChildFailedToStart);
    }
    // Without the override the same child starts: nothing else made it fail.
    EXPECT_EQ(RunChildCopy(executable), kChildStarted);
}

}  // namespace
