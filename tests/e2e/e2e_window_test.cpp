// The main window as a player sees it: every control, its place, caption and
// items, in English from the rebuilt dictionary, with the fallbacks when the
// dictionary cannot be opened, and in Russian; and the ways the program ends.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "program_driver.h"
#include "window_layouts.h"
#include "wine_fixtures.h"

namespace {

const std::string kGame = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";
const std::wstring kTitle = L"Vaelmoor: Kervane settings";

struct Item {
    const char* key;
    const wchar_t* builtIn;
    const wchar_t* fallback;
};

const std::map<int, std::vector<Item>> kItems = {
    {31, {{"31", L"Default", L"Default"}}},
    {32, {{"32a", L"Low", L"Low"}, {"32b", L"Medium", L"Medium"}, {"32c", L"High", L"High"}}},
    {33, {{"33a", L"Software", L"Software"}, {"33b", L"Black & White", L"Black & White"}, {"33c", L"Color", L"Color"}}},
    {34,
     {{"34a", L"Auto", L"Auto"},
      {"34b", L"English", L"English"},
      {"34c", L"German", L"German"},
      {"34d", L"French", L"French"},
      {"34e", L"Italian", L"Italian"},
      {"34f", L"Polish", L"Polish"},
      {"34g", L"Russian", L"Russian"},
      {"34h", L"Chinese (Traditional)", L"Chinese (Traditional)"},
      {"34j", L"Chinese (Simplified)", L"Chinese (Simplified)"},
      {"34k", L"Japanese", L"Japanese"},
      {"34l", L"Korean", L"Korean"}}},
    {35, {{"35", L"Default", L"Default"}}},
    {36, {{"36a", L"Slow", L"Slow"}, {"36b", L"Normal", L"Normal"}, {"36c", L"Fast", L"Fast"}}},
    {37, {{"37a", L"Slow", L"Slow"}, {"37b", L"Normal", L"Normal"}, {"37c", L"Fast", L"Fast"}}},
    {38, {{"38a", L"Synchron.", L"Synchron."}, {"38b", L"Classic.", L"Classic."}}},
    {39, {{"39a", L"Choose", L"Choose"}, {"39b", L"Avtobattle only", L"Avto"}, {"39d", L"Human only", L"Personal"}}},
};

const int kTooltips[] = {104, 105, 0,  1,  2,  3,  4,  5,  6,  30, 31, 32, 33, 7,  8,  9,  34, 35,
                         10,  11,  12, 13, 14, 15, 16, 17, 18, 19, 36, 37, 38, 39, 51, 53, 55};

class MainWindowEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeyTree(kGame); }
    void TearDown() override { DeleteKeyTree(kGame); }
    ScratchFolder folder;
};

// The system's class of each kind of control. Screen readers, automation
// tools and real Windows know these; a class of the program's own they do not.
const std::map<Kind, std::wstring> kSystemClass = {
    {Banner, L"Static"}, {Frame, L"Button"},  {Button, L"Button"}, {Check, L"Button"},
    {Label, L"Static"},  {List, L"ComboBox"}, {Edit, L"Edit"},     {SongList, L"SysListView32"},
};

void ExpectKind(HWND control, Kind kind, int id)
{
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    switch (kind) {
    case Banner: EXPECT_EQ(style & SS_TYPEMASK, SS_BITMAP) << id; break;
    case Frame: EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX) << id; break;
    case Button:  // OK holds the focus and is drawn as the default button
        EXPECT_EQ(style & BS_TYPEMASK, id == 104 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) << id;
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

struct TipSearch {
    HWND owner;
    std::vector<HWND> found;
};

// The tooltip windows the window owns.
std::vector<HWND> TooltipsOf(HWND window)
{
    TipSearch search{window, {}};
    EnumWindows(
        [](HWND candidate, LPARAM context) {
            auto* search = reinterpret_cast<TipSearch*>(context);
            if (GetWindow(candidate, GW_OWNER) == search->owner && ClassName(candidate) == L"tooltips_class32")
                search->found.push_back(candidate);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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
    for (const auto& [id, items] : kItems) {
        std::vector<std::wstring> expected;
        for (const Item& item : items) expected.push_back(builtIn ? item.builtIn : item.fallback);
        if (id == 35) continue;  // refilled from the rules folders by the load
        EXPECT_EQ(ComboItems(GetDlgItem(window, id)), expected) << id;
    }
}

TEST_F(MainWindowEndToEnd, EnglishFromTheRebuiltDictionary)
{
    CreateDirectoryA("Dict", nullptr);
    ProgramRun program(folder.path());
    ASSERT_TRUE(program.started());
    HWND window = program.WaitForWindow(kTitle);
    ASSERT_NE(window, nullptr);
    ExpectLayout(window, true);

    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

    const std::vector<std::wstring> modes = ComboItems(GetDlgItem(window, 30));
    ASSERT_GE(modes.size(), 2u);
    EXPECT_EQ(modes[0], L"Window");
    EXPECT_EQ(modes[1], L"800*600");
    for (std::size_t i = 2; i < modes.size(); ++i) {
        EXPECT_NE(modes[i], modes[i - 1]) << "each resolution once";
        EXPECT_GT(_wtoi(modes[i].c_str()), 1000) << "only modes wider than 1000";
    }

    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 13)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 31)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 35)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 104)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 12)));
    EXPECT_EQ(FocusOf(window), GetDlgItem(window, 104)) << "OK holds the keyboard focus";

    Click(GetDlgItem(window, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
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
    ProgramRun program(folder.path());  // no "Dict" folder: the rebuild fails
    HWND window = program.WaitForWindow(kTitle);
    ASSERT_NE(window, nullptr);
    ExpectLayout(window, false);
    PressCloseBox(window);
    EXPECT_EQ(program.WaitForExit(), 0);

    // One line per lookup, in the order the texts are needed.
    std::vector<std::string> expected = {"INI-file not found! Trying to rebuild it!", "Error! Can't rebuild ini-file!"};
    auto missed = [](const std::string& key) { return "INI-file not found! Key " + key + " missed!"; };
    expected.push_back(missed("30"));
    for (const Expected& control : kMainLayout) {
        if (control.fallback) expected.push_back(missed(std::to_string(control.id)));
        if (auto items = kItems.find(control.id); items != kItems.end())
            for (const Item& item : items->second) expected.push_back(missed(item.key));
    }
    for (int id : kTooltips) expected.push_back(missed(std::to_string(id) + "hlp"));
    ASSERT_EQ(expected.size(), 2u + 105u);
    std::vector<std::string> log = LogEvents();
    ASSERT_GE(log.size(), expected.size());
    log.resize(expected.size());
    EXPECT_EQ(log, expected);
}

TEST_F(MainWindowEndToEnd, EveryControlOfBothWindowsIsOfTheSystemsClasses)
{
    CreateDirectoryA("Dict", nullptr);
    ProgramRun program(folder.path());
    HWND window = program.WaitForWindow(kTitle);
    ASSERT_NE(window, nullptr);
    ExpectOnlySystemClasses(window, kMainLayout);
    const std::vector<HWND> tips = TooltipsOf(window);
    ASSERT_EQ(tips.size(), 1u) << "one tooltip window";
    EXPECT_EQ(SendMessageW(tips[0], TTM_GETTOOLCOUNT, 0, 0), static_cast<LRESULT>(std::size(kTooltips)));

    HWND playlist = OpenPlaylistWindow(program, window);
    ASSERT_NE(playlist, nullptr);
    ExpectOnlySystemClasses(playlist, kPlaylistLayout);
    ASSERT_TRUE(PressAndWaitForClose(playlist, 62));
    Click(GetDlgItem(window, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST_F(MainWindowEndToEnd, RussianInterface)
{
    CreateDirectoryA("Dict", nullptr);
    SetDword(kGame + "\\General", "Language", 6);
    ProgramRun program(folder.path());
    HWND window = program.WaitForWindow(kTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(window, 100)), FromCp1251("\xC2\xE8\xE4\xE5\xEE"));                  // Видео
    EXPECT_EQ(ControlText(GetDlgItem(window, 104)), FromCp1251("\xCF\xF0\xE8\xEC\xE5\xED\xE8\xF2\xFC"));  // Применить
    EXPECT_EQ(ControlText(GetDlgItem(window, 1)), FromCp1251("\xCC\xF3\xE7\xFB\xEA\xE0"));            // Музыка
    EXPECT_EQ(ComboItems(GetDlgItem(window, 30)).at(0), FromCp1251("\xCE\xEA\xEE\xED\xED\xFB\xE9"));  // Оконный
    EXPECT_EQ(ComboItems(GetDlgItem(window, 34)).at(6), FromCp1251("\xD0\xF3\xF1\xF1\xEA\xE8\xE9"));  // Русский
    EXPECT_EQ(ComboSelection(GetDlgItem(window, 34)), 6) << "the stored game language is selected";
    Click(GetDlgItem(window, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
}

// The system's DPI, as Wine keeps it, for the programs started while this lives.
class SystemDpi {
public:
    explicit SystemDpi(std::uint32_t dpi) : previous_(ReadRawValue(kDesktop, "LogPixels"))
    {
        SetDword(kDesktop, "LogPixels", dpi);
    }
    ~SystemDpi()
    {
        if (previous_) SetRawValue(kDesktop, "LogPixels", previous_->type, previous_->data);
        else RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels");
    }
    SystemDpi(const SystemDpi&) = delete;
    SystemDpi& operator=(const SystemDpi&) = delete;

private:
    static constexpr const char* kDesktop = "Control Panel\\Desktop";
    std::optional<RawValue> previous_;
};

TEST_F(MainWindowEndToEnd, At144DpiBothWindowsAreTheLayoutScaledByOneAndAHalf)
{
    BecomeDpiAware();  // to read the windows in the screen's own pixels
    CreateDirectoryA("Dict", nullptr);
    const SystemDpi dpi(144);
    ProgramRun program(folder.path());
    HWND window = program.WaitForWindow(kTitle);
    ASSERT_NE(window, nullptr);
    ExpectPlacedAtDpi(window, kMainLayout, 615, 550, 144);
    const RECT banner = ControlRect(GetDlgItem(window, 103));
    EXPECT_EQ(banner.right - banner.left, 896);
    EXPECT_EQ(banner.bottom - banner.top, 239);
    HWND playlist = OpenPlaylistWindow(program, window);
    ASSERT_NE(playlist, nullptr);
    ExpectPlacedAtDpi(playlist, kPlaylistLayout, 232, 246, 144);
    ASSERT_TRUE(PressAndWaitForClose(playlist, 62));
    Click(GetDlgItem(window, 105));
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST_F(MainWindowEndToEnd, EveryWayOutEndsWithExitCodeZero)
{
    CreateDirectoryA("Dict", nullptr);
    for (int way = 0; way < 3; ++way) {
        ProgramRun program(folder.path());
        HWND window = program.WaitForWindow(kTitle);
        ASSERT_NE(window, nullptr) << way;
        if (way == 0) Click(GetDlgItem(window, 104));
        if (way == 1) Click(GetDlgItem(window, 105));
        if (way == 2) PressCloseBox(window);
        EXPECT_EQ(program.WaitForExit(), 0) << way;
    }
}

}  // namespace
