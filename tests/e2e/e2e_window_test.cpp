// The main window as a player sees it: every control, its place, caption and
// items, in English from the rebuilt dictionary, with the fallbacks when the
// dictionary cannot be opened, and in Russian; and the ways the program ends.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <optional>

#include "e2e_fixture.h"

namespace {

class MainWindowEndToEnd : public EndToEnd {};

// The system's class of each kind of control. Screen readers, automation
// tools and real Windows know these; a class of the program's own they do not.
const std::map<Kind, std::wstring> kSystemClass = {
    {Banner, L"Static"}, {Frame, L"Button"},  {Button, L"Button"}, {Check, L"Button"},
    {Label, L"Static"},  {List, L"ComboBox"}, {Edit, L"Edit"},     {SongList, L"SysListView32"},
};

void ExpectKind(HWND control, Kind kind, ControlId id)
{
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    switch (kind) {
    case Banner: EXPECT_EQ(style & SS_TYPEMASK, SS_BITMAP) << id; break;
    case Frame: EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX) << id; break;
    case Button:  // OK holds the focus and is drawn as the default button
        EXPECT_EQ(style & BS_TYPEMASK, id == kOk ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) << id;
        break;
    case Check: EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX) << id; break;
    case List: EXPECT_EQ(style & 3, CBS_DROPDOWNLIST) << id; break;
    case Edit: EXPECT_TRUE(style & ES_AUTOHSCROLL) << id; break;
    case Label:
    case SongList: break;
    }
}

// Every child of the window is a control of the layout, of its kind's system class.
void ExpectOnlySystemClasses(HWND window, const std::vector<Expected>& layout)
{
    std::size_t children = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++children) {
        const int id = GetDlgCtrlID(child);
        const auto row = std::find_if(layout.begin(), layout.end(), [&](const Expected& e) { return e.id == id; });
        ASSERT_NE(row, layout.end()) << "a control the layout does not have: " << id;
        EXPECT_EQ(ClassName(child), kSystemClass.at(row->kind)) << id;
    }
    EXPECT_EQ(children, layout.size());
}

// Checks every control against the layout; builtIn chooses the caption column.
void ExpectLayout(HWND window, bool builtIn)
{
    for (const Expected& expected : kMainLayout) {
        HWND control = GetDlgItem(window, expected.id);
        ASSERT_NE(control, nullptr) << expected.id;
        ExpectKind(control, expected.kind, expected.id);
        const wchar_t* caption = builtIn ? expected.builtIn : expected.fallback;
        if (caption) {
            EXPECT_EQ(ControlText(control), caption) << expected.id;
        }
    }
    ExpectPlacedAtDpi(window, kMainLayout, 615, 550, 96);
    for (const auto& [id, items] : kMainListItems) {
        std::vector<std::wstring> expected;
        for (const ExpectedItem& item : items) expected.push_back(builtIn ? item.builtIn : item.fallback);
        if (id == kRulesBox) continue;  // refilled from the rules folders by the load
        EXPECT_EQ(ComboItems(GetDlgItem(window, id)), expected) << id;
    }
}

TEST_F(MainWindowEndToEnd, EnglishFromTheRebuiltDictionary)
{
    Run(
        [](HWND window) {
            ExpectLayout(window, true);

            const LONG style = GetWindowLongW(window, GWL_STYLE);
            EXPECT_TRUE(style & WS_SYSMENU);
            EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

            const std::vector<std::wstring> modes = ComboItems(GetDlgItem(window, kDisplayModeBox));
            ASSERT_GE(modes.size(), 2u);
            EXPECT_EQ(modes[0], L"Window");
            EXPECT_EQ(modes[1], L"800*600");
            for (std::size_t i = 2; i < modes.size(); ++i) {
                EXPECT_NE(modes[i], modes[i - 1]) << "each resolution once";
                EXPECT_GT(_wtoi(modes[i].c_str()), 1000) << "only modes wider than 1000";
            }

            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kKervBasedRules)));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kAdapterBox)));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kRulesBox)));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, kOk)));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, kAllowCustomRules)));
            EXPECT_EQ(FocusOf(window), GetDlgItem(window, kOk)) << "OK holds the keyboard focus";
        },
        kCancel);
    const std::vector<std::string> log = LogEvents();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "INI-file not found! Trying to rebuild it!");
    EXPECT_EQ(log[1], "INI-file rebuilded!");
    const auto reference = FileBytes(HostPath(KERVANE_REFERENCE_DICTIONARY));
    ASSERT_TRUE(reference);
    EXPECT_TRUE(FileBytes("Dict\\Setup.ini") == reference) << "the exact 1,232-line dictionary";
}

TEST_F(MainWindowEndToEnd, FallbacksWhenTheDictionaryCannotBeOpened)
{
    ASSERT_TRUE(RemoveDirectoryA("Dict"));  // no "Dict" folder: the rebuild fails
    Run([](HWND window) { ExpectLayout(window, false); }, kCloseBox);

    // One line per lookup, in the order the texts are needed.
    std::vector<std::string> expected = {"INI-file not found! Trying to rebuild it!", "Error! Can't rebuild ini-file!"};
    auto missed = [](const std::string& key) { return "INI-file not found! Key " + key + " missed!"; };
    expected.push_back(missed("30"));
    for (const Expected& control : kMainLayout) {
        if (control.fallback) expected.push_back(missed(std::to_string(control.id)));
        if (auto items = kMainListItems.find(control.id); items != kMainListItems.end())
            for (const ExpectedItem& item : items->second) expected.push_back(missed(item.key));
    }
    for (ControlId id : kMainTooltips) expected.push_back(missed(std::to_string(id) + "hlp"));
    ASSERT_EQ(expected.size(), 2u + 105u);
    std::vector<std::string> log = LogEvents();
    ASSERT_GE(log.size(), expected.size());
    log.resize(expected.size());
    EXPECT_EQ(log, expected);
}

TEST_F(MainWindowEndToEnd, EveryControlOfBothWindowsIsOfTheSystemsClasses)
{
    Run(
        [&](HWND window) {
            ExpectOnlySystemClasses(window, kMainLayout);
            const std::vector<HWND> tips = TooltipsOf(window);
            ASSERT_EQ(tips.size(), 1u) << "one tooltip window";
            EXPECT_EQ(SendMessageW(tips[0], TTM_GETTOOLCOUNT, 0, 0),
                      static_cast<LRESULT>(kMainTooltips.size() + kSwitchedOffTips.size()));

            HWND playlist = OpenPlaylist(window);
            ASSERT_NE(playlist, nullptr);
            ExpectOnlySystemClasses(playlist, kPlaylistLayout);
            ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistCancel));
        },
        kCancel);
}

TEST_F(MainWindowEndToEnd, RussianInterface)
{
    SetDword(kSettingsKey + "\\General", "Language", 6);
    Run(
        [](HWND window) {
            EXPECT_EQ(ControlText(GetDlgItem(window, kVideoFrame)), FromCp1251("\xC2\xE8\xE4\xE5\xEE"));  // Видео
            EXPECT_EQ(ControlText(GetDlgItem(window, kOk)),
                      FromCp1251("\xCF\xF0\xE8\xEC\xE5\xED\xE8\xF2\xFC"));  // Применить
            EXPECT_EQ(ControlText(GetDlgItem(window, kMusic)), FromCp1251("\xCC\xF3\xE7\xFB\xEA\xE0"));  // Музыка
            EXPECT_EQ(ComboItems(GetDlgItem(window, kDisplayModeBox)).at(0),
                      FromCp1251("\xCE\xEA\xEE\xED\xED\xFB\xE9"));  // Оконный
            EXPECT_EQ(ComboItems(GetDlgItem(window, kLanguageBox)).at(6),
                      FromCp1251("\xD0\xF3\xF1\xF1\xEA\xE8\xE9"));  // Русский
            EXPECT_EQ(ComboSelection(GetDlgItem(window, kLanguageBox)), 6) << "the stored game language is selected";
        },
        kCancel);
}

TEST_F(MainWindowEndToEnd, At144DpiBothWindowsAreTheLayoutScaledByOneAndAHalf)
{
    BecomeDpiAware();  // to read the windows in the screen's own pixels
    const SystemDpi dpi(144);
    Run(
        [&](HWND window) {
            ExpectPlacedAtDpi(window, kMainLayout, 615, 550, 144);
            const RECT banner = ControlRect(GetDlgItem(window, kBanner));
            EXPECT_EQ(banner.right - banner.left, 896);
            EXPECT_EQ(banner.bottom - banner.top, 239);
            HWND playlist = OpenPlaylist(window);
            ASSERT_NE(playlist, nullptr);
            ExpectPlacedAtDpi(playlist, kPlaylistLayout, 232, 246, 144);
            ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistCancel));
        },
        kCancel);
}

TEST_F(MainWindowEndToEnd, EveryWayOutEndsWithExitCodeZero)
{
    for (ControlId way : {kOk, kCancel, kCloseBox}) {
        SCOPED_TRACE(way);
        Run([](HWND) {}, way);
    }
}

}  // namespace
