// The real main window, built hidden inside the test process and driven by
// events: tooltips, the event table, what OK does to the visible controls,
// and the wait that wakes for clicks sent from elsewhere.

#include "ui/main_window/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

#include "app/event_loop.h"
#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "settings/settings.h"
#include "ui/toolkit/controls.h"
#include "window_layouts.h"
#include "wine_fixtures.h"

namespace {

// One window per test process: the main window is built once for the program's life.
class MainWindowInProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        DeleteKeyTree(kSettingsKey);
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
        DeleteKeyTree(kSettingsKey);
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
    EXPECT_EQ(ControlText(GetDlgItem(MainWindow(), kVideoFrame)), FromCp1251("\xC2\xE8\xE4\xE5\xEE"));
    EXPECT_EQ(ControlText(GetDlgItem(MainWindow(), kCancel)), FromCp1251("\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC"));
}

TEST_F(MainWindowInProcess, OkAndCancelUseBoldArialOfTenPoints)
{
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    for (ControlId id : {kOk, kCancel}) {
        LOGFONTW font{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(MainWindow(), id), WM_GETFONT, 0, 0)),
                               sizeof font, &font));
        EXPECT_STREQ(font.lfFaceName, L"Arial") << id;
        EXPECT_EQ(font.lfWeight, FW_BOLD) << id;
        EXPECT_EQ(font.lfHeight, height) << id;
    }
    const HFONT standard = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(MainWindow(), kMusic), WM_GETFONT, 0, 0));
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
    const std::vector<HWND> tooltips = TooltipsOf(MainWindow());
    ASSERT_FALSE(tooltips.empty());
    ASSERT_EQ(SendMessageW(tooltips[0], TTM_GETTOOLCOUNT, 0, 0),
              static_cast<LRESULT>(kMainTooltips.size() + kSwitchedOffTips.size()));
    std::vector<std::wstring> texts;
    for (std::size_t i = 0; i < kMainTooltips.size(); ++i) {
        wchar_t text[512] = L"";
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tooltips[0], TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_EQ(GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId)), kMainTooltips[i]) << i;
        EXPECT_FALSE(std::wstring(text).empty()) << kMainTooltips[i];
        texts.emplace_back(text);
    }
    // "Нажмите, чтобы запомнить выбранные настройки."
    EXPECT_EQ(texts.at(0),
              FromCp1251("\xCD\xE0\xE6\xEC\xE8\xF2\xE5, \xF7\xF2\xEE\xE1\xFB \xE7\xE0\xEF\xEE\xEC\xED\xE8\xF2\xFC "
                         "\xE2\xFB\xE1\xF0\xE0\xED\xED\xFB\xE5 \xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8."));
}

std::wstring TipText(HWND tooltip, TTTOOLINFOW tool)
{
    wchar_t text[512] = L"";
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

// A disabled control gets no mouse messages; the window under it does. The
// tips of the controls the editor switches off show over them all the same.
TEST_F(MainWindowInProcess, TipsOfSwitchedOffControlsShowOverThem)
{
    const std::vector<HWND> tooltips = TooltipsOf(MainWindow());
    ASSERT_EQ(tooltips.size(), 1u);
    for (const ControlId id : kSwitchedOffTips) {
        HWND control = MainControl(id);
        EnableControl(control, false);
        const RECT rect = ControlRect(control);
        TTHITTESTINFOW hit{};
        hit.hwnd = MainWindow();
        hit.pt = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        hit.ti.cbSize = sizeof hit.ti;
        ASSERT_TRUE(SendMessageW(tooltips[0], TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) << id;
        TTTOOLINFOW own{};
        own.cbSize = sizeof own;
        own.hwnd = MainWindow();
        own.uId = reinterpret_cast<UINT_PTR>(control);
        const std::wstring text = TipText(tooltips[0], hit.ti);
        EXPECT_FALSE(text.empty()) << id;
        EXPECT_EQ(text, TipText(tooltips[0], own)) << id;
    }
}

TEST_F(MainWindowInProcess, AllowCustomRulesEnablesAndDisablesWithoutClearing)
{
    const UiEvent clickAllow{UiEventKind::Control, MainWindow(), kAllowCustomRules};
    SetChecked(MainControl(kKervBasedRules), true);
    SetChecked(MainControl(kAllowCustomRules), true);
    DispatchMainEvent(clickAllow);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(MainWindow(), kKervBasedRules)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(MainWindow(), kRulesBox)));
    AddItem(MainControl(kRulesBox), "Kept", TextOrigin::System);
    SetChecked(MainControl(kAllowCustomRules), false);
    DispatchMainEvent(clickAllow);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(MainWindow(), kKervBasedRules)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(MainWindow(), kRulesBox)));
    EXPECT_TRUE(IsChecked(MainControl(kKervBasedRules)));
    const std::vector<std::string> items = ItemTexts(MainControl(kRulesBox));
    ASSERT_FALSE(items.empty()) << "the rules list was emptied";
    EXPECT_EQ(items.back(), "Kept");
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
        {{UiEventKind::Control, MainWindow(), kCancel}, true},
        {{UiEventKind::CloseRequest, MainWindow(), kNoControl}, true},
        {{UiEventKind::Control, MainWindow(), kMusic}, false},
        {{UiEventKind::Control, MainWindow(), kDisplayModeBox}, false},
        {{UiEventKind::Control, MainWindow(), kUsePlaylist}, false},  // unticked: no playlist window
        {{UiEventKind::Control, nullptr, kCancel}, false},            // not the main window's
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
    // Music and Direct Sound carry the numbers of the dialog manager's IDOK and IDCANCEL.
    static_assert(kMusic == IDOK && kDirectSound == IDCANCEL);
    const struct {
        ControlId focus;
        WPARAM key;
        ControlId pressed;
    } cases[] = {
        {kMusic, VK_RETURN, kOk},      {kDirectSound, VK_RETURN, kOk},
        {kMusic, VK_ESCAPE, kCancel},  {kDirectSound, VK_ESCAPE, kCancel},
        {kEmailField, VK_RETURN, kOk}, {kDisplayLevelBox, VK_RETURN, kOk},
        {kOk, VK_RETURN, kOk},         {kCancel, VK_RETURN, kCancel},
        {kOk, VK_ESCAPE, kCancel},     {kDirectSound, VK_CANCEL, kCancel},
    };
    const EventWaitLimit limit(20000);
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
    DispatchMainEvent({UiEventKind::Control, MainWindow(), kOk});
    EXPECT_TRUE(QuitRequested);
    EXPECT_EQ(FieldText(MainControl(kFolderField)), "D:\\Mail\\");
    EXPECT_EQ(ControlText(GetDlgItem(MainWindow(), kFolderField)), L"D:\\Mail\\");
    QuitRequested = false;
    DeleteKeyTree(kSettingsKey);
}

TEST_F(MainWindowInProcess, WaitWakesForAClickSentFromAnotherThread)
{
    HWND ok = GetDlgItem(MainWindow(), kOk);
    const EventWaitLimit limit(5000);  // a lost wake-up fails, never hangs
    std::thread clicker([&] {
        Sleep(100);
        SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
    });
    // Events the earlier cases left in the queue come first.
    UiEvent event;
    do event = WaitEvent();
    while (event.kind == UiEventKind::Control && event.controlId != kOk);
    clicker.join();
    EXPECT_EQ(event.kind, UiEventKind::Control);
    EXPECT_EQ(event.controlId, kOk);
    // Drain what the click left behind.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace
