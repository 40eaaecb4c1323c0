// The real main window, built hidden inside the test process and driven by
// events: tooltips, the event table, what OK does to the visible controls,
// and the wait that wakes for clicks sent from elsewhere.

#include "ui/main_window/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/event_loop.h"
#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "settings/settings.h"
#include "ui/toolkit/controls.h"
#include "wine_fixtures.h"

namespace {

const std::string kGame = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";

std::wstring FromCp1251(const std::string& bytes)
{
    wchar_t text[512];
    const int length = MultiByteToWideChar(1251, 0, bytes.data(), static_cast<int>(bytes.size()), text, 512);
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::wstring WindowText(HWND window)
{
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM found)
{
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (wcscmp(name, TOOLTIPS_CLASSW) != 0 || GetWindow(window, GW_OWNER) != MainWindow()) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// One window per test process: the main window is built once for the program's life.
class MainWindowInProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        DeleteKeyTree(kGame);
        folder_ = new ScratchFolder;
        InitialiseProcessValues();
        CreateDirectoryA("Dict", nullptr);
        EnsureDictionary();
        LanguageCode = "RU";
        DisplayModeList = {"Window", "800*600", "1024*768", "1024*768", "1280*1024", "1280*1024"};
        LastModeIndex = 5;
        ASSERT_TRUE(BuildMainWindow());
        LoadSettings();
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(MainWindow());
        delete folder_;
        DeleteKeyTree(kGame);
    }
    static ScratchFolder* folder_;
};
ScratchFolder* MainWindowInProcess::folder_ = nullptr;

TEST_F(MainWindowInProcess, StaysHiddenUntilShown)
{
    EXPECT_FALSE(IsWindowVisible(MainWindow()));
}

TEST_F(MainWindowInProcess, RussianCaptionsReadCorrectlyWhateverTheSystemCodePage)
{
    EXPECT_EQ(WindowText(GetDlgItem(MainWindow(), 100)), FromCp1251("\xC2\xE8\xE4\xE5\xEE"));
    EXPECT_EQ(WindowText(GetDlgItem(MainWindow(), 105)), FromCp1251("\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC"));
}

TEST_F(MainWindowInProcess, OkAndCancelUseBoldArialOfTenPoints)
{
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    for (int id : {104, 105}) {
        LOGFONTW font{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(MainWindow(), id), WM_GETFONT, 0, 0)),
                               sizeof font, &font));
        EXPECT_STREQ(font.lfFaceName, L"Arial") << id;
        EXPECT_EQ(font.lfWeight, FW_BOLD) << id;
        EXPECT_EQ(font.lfHeight, height) << id;
    }
    const HFONT standard = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(MainWindow(), 1), WM_GETFONT, 0, 0));
    EXPECT_EQ(standard, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)))
        << "the other controls keep the standard font";
}

TEST_F(MainWindowInProcess, DisplayModeBoxShowsEachResolutionOnce)
{
    EXPECT_EQ(ItemTexts(MainControl(kDisplayModeBox)),
              (std::vector<std::string>{"Window", "800*600", "1024*768", "1280*1024"}));
}

TEST_F(MainWindowInProcess, TooltipsInTheirOrderWithRussianTexts)
{
    HWND tooltip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    const int order[] = {104, 105, 0,  1,  2,  3,  4,  5,  6,  30, 31, 32, 33, 7,  8,  9,  34, 35,
                         10,  11,  12, 13, 14, 15, 16, 17, 18, 19, 36, 37, 38, 39, 51, 53, 55};
    ASSERT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), static_cast<LRESULT>(std::size(order)));
    for (std::size_t i = 0; i < std::size(order); ++i) {
        wchar_t text[512] = L"";
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_EQ(GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId)), order[i]) << i;
        EXPECT_FALSE(std::wstring(text).empty()) << order[i];
    }
    wchar_t text[512] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    // "Нажмите, чтобы запомнить выбранные настройки."
    EXPECT_EQ(std::wstring(text),
              FromCp1251("\xCD\xE0\xE6\xEC\xE8\xF2\xE5, \xF7\xF2\xEE\xE1\xFB \xE7\xE0\xEF\xEE\xEC\xED\xE8\xF2\xFC "
                         "\xE2\xFB\xE1\xF0\xE0\xED\xED\xFB\xE5 \xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8."));
}

TEST_F(MainWindowInProcess, AllowCustomRulesEnablesAndDisablesWithoutClearing)
{
    const UiEvent click12{UiEventKind::Control, MainWindow(), 12};
    SetChecked(MainControl(kKervBasedRules), true);
    SetChecked(MainControl(kAllowCustomRules), true);
    DispatchMainEvent(click12);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(MainWindow(), 13)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(MainWindow(), 35)));
    AddItem(MainControl(kRulesBox), "Kept", TextOrigin::System);
    SetChecked(MainControl(kAllowCustomRules), false);
    DispatchMainEvent(click12);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(MainWindow(), 13)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(MainWindow(), 35)));
    EXPECT_TRUE(IsChecked(MainControl(kKervBasedRules)));
    EXPECT_EQ(ItemTexts(MainControl(kRulesBox)).back(), "Kept");
    SetChecked(MainControl(kKervBasedRules), false);
}

TEST_F(MainWindowInProcess, EventsThatEndTheProgramAndEventsThatDoNot)
{
    // Kept by hand: one event a line.
    // clang-format off
    const struct {
        UiEvent event;
        bool quits;
    } cases[] = {
        {{UiEventKind::Control, MainWindow(), 105}, true},
        {{UiEventKind::CloseRequest, MainWindow(), -1}, true},
        {{UiEventKind::Control, MainWindow(), 1}, false},
        {{UiEventKind::Control, MainWindow(), 30}, false},
        {{UiEventKind::Control, MainWindow(), 19}, false},  // unticked: no playlist window
        {{UiEventKind::Control, nullptr, 105}, false},      // not the main window's
    };
    // clang-format on
    for (const auto& c : cases) {
        QuitRequested = false;
        DispatchMainEvent(c.event);
        EXPECT_EQ(QuitRequested, c.quits) << c.event.controlId;
    }
    QuitRequested = false;
}

TEST_F(MainWindowInProcess, DialogKeysPressOkOrCancelAndNeverTheFirstTwoCheckBoxes)
{
    // Check boxes 1 and 2 carry the numbers of the dialog manager's IDOK and IDCANCEL.
    const struct {
        int focus;
        WPARAM key;
        int pressed;
    } cases[] = {
        {1, VK_RETURN, 104},  {2, VK_RETURN, 104},   {1, VK_ESCAPE, 105},   {2, VK_ESCAPE, 105},   {51, VK_RETURN, 104},
        {32, VK_RETURN, 104}, {104, VK_RETURN, 104}, {105, VK_RETURN, 105}, {104, VK_ESCAPE, 105}, {2, VK_CANCEL, 105},
    };
    // Whatever earlier tests left waiting goes first.
    PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
    while (WaitEvent().kind != UiEventKind::CloseRequest) {
    }
    for (const auto& c : cases) {
        HWND control = GetDlgItem(MainWindow(), c.focus);
        PostMessageW(control, WM_KEYDOWN, c.key, 1);
        PostMessageW(control, WM_KEYUP, c.key, static_cast<LPARAM>(0xC0000001));
        PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
        std::vector<int> events;
        for (UiEvent event = WaitEvent(); event.kind != UiEventKind::CloseRequest; event = WaitEvent())
            events.push_back(event.controlId);
        EXPECT_EQ(events, std::vector<int>{c.pressed}) << "control " << c.focus << ", key " << c.key;
    }
}

TEST_F(MainWindowInProcess, OkShowsTheAttachmentFolderWithItsBackslash)
{
    SetFieldText(MainControl(kFolderField), "D:\\Mail");
    QuitRequested = false;
    DispatchMainEvent({UiEventKind::Control, MainWindow(), 104});
    EXPECT_TRUE(QuitRequested);
    EXPECT_EQ(FieldText(MainControl(kFolderField)), "D:\\Mail\\");
    EXPECT_EQ(WindowText(GetDlgItem(MainWindow(), 55)), L"D:\\Mail\\");
    QuitRequested = false;
    DeleteKeyTree(kGame);
}

TEST_F(MainWindowInProcess, WaitWakesForAClickSentFromAnotherThread)
{
    HWND ok = GetDlgItem(MainWindow(), 104);
    std::atomic<bool> answered{false};
    const DWORD waiter = GetCurrentThreadId();
    std::thread clicker([&] {
        Sleep(100);
        SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
        for (int i = 0; i < 500 && !answered; ++i) Sleep(10);
        if (!answered) PostThreadMessageW(waiter, WM_QUIT, 0, 0);  // a lost wake-up fails, never hangs
    });
    // Events the earlier cases left in the queue come first.
    UiEvent event;
    do event = WaitEvent();
    while (event.kind == UiEventKind::Control && event.controlId != 104);
    answered = true;
    clicker.join();
    EXPECT_EQ(event.kind, UiEventKind::Control);
    EXPECT_EQ(event.controlId, 104);
    // Drain what the click left behind.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace
