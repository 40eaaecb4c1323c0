// The main window as a player sees it: every control, its place, caption and
// items, in English from the rebuilt dictionary, with the fallbacks when the
// dictionary cannot be opened, and in Russian; and the ways the program ends.

#include <gtest/gtest.h>

#include <map>

#include "program_driver.h"
#include "wine_fixtures.h"

namespace {

const std::string kGame = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";
const std::wstring kTitle = L"Vaelmoor: Kervane settings";

enum Kind { Banner, Frame, Button, Check, Label, List, Edit };

struct Expected {
    int id;
    Kind kind;
    int x, y, width, height;
    const wchar_t* builtIn;   // English caption from the rebuilt dictionary
    const wchar_t* fallback;  // caption when the dictionary cannot be opened
};

// In creation order.
const Expected kLayout[] = {
    {103, Banner, 8, 8, 597, 159, nullptr, nullptr},
    {100, Frame, 310, 177, 296, 200, L"Video", L"Video"},
    {101, Frame, 310, 382, 296, 125, L"Sound", L"Sound"},
    {102, Frame, 8, 177, 295, 280, L"General", L"General"},
    {106, Frame, 8, 457, 295, 90, L"E-mail game", L"E-mail game"},
    {104, Button, 330, 515, 125, 30, L"OK", L"OK"},
    {105, Button, 460, 515, 125, 30, L"Cancel", L"Cancel"},
    {0, Check, 320, 405, 100, 20, L"Sound FX", L"Sound FX"},
    {1, Check, 320, 455, 100, 20, L"Music", L"Music"},
    {2, Check, 320, 430, 100, 20, L"Direct Sound", L"Direct Sound"},
    {19, Check, 320, 480, 120, 20, L"Use playlist", L"Use playlist"},
    {3, Check, 460, 405, 100, 20, L"Selection Sounds", L"Selection Sounds"},
    {4, Check, 460, 430, 100, 20, L"Movement Sounds", L"Movement Sounds"},
    {5, Check, 460, 455, 100, 20, L"Ambient Sounds", L"Ambient Sounds"},
    {6, Check, 460, 480, 100, 20, L"Event Sounds", L"Event Sounds"},
    {20, Label, 320, 200, 80, 20, L"Display mode:", L"Display mode:"},
    {30, List, 400, 195, 200, 20, nullptr, nullptr},
    {21, Label, 320, 225, 80, 20, L"Adapter:", L"Adapter:"},
    {31, List, 400, 220, 200, 20, nullptr, nullptr},
    {22, Label, 320, 250, 80, 20, L"Display level:", L"Display level:"},
    {32, List, 400, 245, 200, 20, nullptr, nullptr},
    {23, Label, 320, 275, 80, 20, L"Cursors:", L"Cursors:"},
    {33, List, 400, 270, 200, 20, nullptr, nullptr},
    {7, Check, 320, 300, 130, 20, L"Show Intro", L"Show Intro"},
    {8, Check, 320, 325, 200, 20, L"Allow Resolution Switches", L"Allow Resolution Switches"},
    {9, Check, 320, 350, 200, 20, L"Use Direct3D", L"Use Direct3D"},
    {16, Check, 460, 300, 200, 20, L"View panning", L"View panning"},
    {24, Label, 17, 200, 50, 20, L"Language:", L"Language:"},
    {34, List, 110, 195, 180, 20, nullptr, nullptr},
    {10, Check, 17, 220, 120, 20, L"Blood", L"Blood"},
    {11, Check, 160, 300, 120, 20, L"Autosave before TC", L"Autosave before TC"},
    {12, Check, 17, 245, 120, 20, L"Allow custom rules", L"Allow custom rules"},
    {13, Check, 160, 245, 120, 20, L"Kerv Based rules", L"Kerv Based rules"},
    {25, Label, 17, 275, 50, 20, L"Rules:", L"Rules:"},
    {35, List, 110, 270, 180, 20, nullptr, nullptr},
    {14, Check, 17, 300, 120, 20, L"Autosave", L"Autosave"},
    {15, Check, 17, 325, 120, 20, L"Automove", L"Automove"},
    {17, Check, 160, 220, 120, 20, L"Center on event", L"Center on event"},
    {18, Check, 160, 325, 140, 20, L"View bounds", L"View bounds"},
    {26, Label, 17, 353, 80, 20, L"Scroll speed:", L"Scroll speed:"},
    {36, List, 110, 350, 180, 20, nullptr, nullptr},
    {27, Label, 17, 378, 80, 20, L"Movem.speed:", L"Movem.speed:"},
    {37, List, 110, 375, 180, 20, nullptr, nullptr},
    {28, Label, 17, 403, 80, 20, L"Game type:", L"Game type:"},
    {38, List, 110, 400, 180, 20, nullptr, nullptr},
    {29, Label, 17, 428, 80, 20, L"Combat type:", L"Combat type:"},
    {39, List, 110, 425, 180, 20, nullptr, nullptr},
    {50, Label, 17, 473, 80, 20, L"E-mail:", L"E-Mal:"},
    {51, Edit, 110, 470, 180, 20, nullptr, nullptr},
    {52, Label, 17, 498, 80, 20, L"SMTP:", L"SMTP:"},
    {53, Edit, 110, 495, 180, 20, nullptr, nullptr},
    {54, Label, 17, 523, 80, 20, L"Folder:", L"Folder:"},
    {55, Edit, 110, 520, 180, 20, nullptr, nullptr},
};

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

const int kTooltips[] = {104, 105, 0, 1, 2, 3, 4, 5, 6, 30, 31, 32, 33, 7, 8, 9, 34, 35,
                         10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 36, 37, 38, 39, 51, 53, 55};

class MainWindowEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeyTree(kGame); }
    void TearDown() override { DeleteKeyTree(kGame); }
    ScratchFolder folder;
};

void ExpectKind(HWND control, Kind kind, int id)
{
    const std::wstring name = ClassName(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    switch (kind) {
    case Banner:
        EXPECT_EQ(name, L"Static") << id;
        EXPECT_EQ(style & SS_TYPEMASK, SS_BITMAP) << id;
        break;
    case Frame: EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX) << id; break;
    case Button: EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << id; break;
    case Check: EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX) << id; break;
    case Label: EXPECT_EQ(name, L"Static") << id; break;
    case List:
        EXPECT_EQ(name, L"ComboBox") << id;
        EXPECT_EQ(style & 3, CBS_DROPDOWNLIST) << id;
        break;
    case Edit:
        EXPECT_EQ(name, L"Edit") << id;
        EXPECT_TRUE(style & ES_AUTOHSCROLL) << id;
        break;
    }
    if (kind == Frame || kind == Button || kind == Check) {
        EXPECT_EQ(name, L"Button") << id;
    }
}

// Checks every control against the layout; builtIn chooses the caption column.
void ExpectLayout(HWND window, bool builtIn)
{
    for (const Expected& expected : kLayout) {
        HWND control = GetDlgItem(window, expected.id);
        ASSERT_NE(control, nullptr) << expected.id;
        ExpectKind(control, expected.kind, expected.id);
        const RECT rect = ControlRect(control);
        EXPECT_EQ(rect.left, expected.x) << expected.id;
        EXPECT_EQ(rect.top, expected.y) << expected.id;
        EXPECT_EQ(rect.right - rect.left, expected.width) << expected.id;
        // A closed drop-down list is as high as its font makes it.
        if (expected.kind != List) {
            EXPECT_EQ(rect.bottom - rect.top, expected.height) << expected.id;
        }
        const wchar_t* caption = builtIn ? expected.builtIn : expected.fallback;
        if (caption) {
            EXPECT_EQ(ControlText(control), caption) << expected.id;
        }
    }
    for (const auto& [id, items] : kItems) {
        std::vector<std::wstring> expected;
        for (const Item& item : items) expected.push_back(builtIn ? item.builtIn : item.fallback);
        if (id == 35) continue;  // refilled from the rules folders by the load
        EXPECT_EQ(ComboItems(GetDlgItem(window, id)), expected) << id;
    }
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 615);
    EXPECT_EQ(client.bottom, 550);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
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
    const auto reference = ReadWholeFile(HostPath(KERVANE_REFERENCE_DICTIONARY));
    ASSERT_TRUE(reference);
    EXPECT_TRUE(ReadWholeFile("Dict\\Setup.ini") == reference) << "the exact 1,232-line dictionary";
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
    for (const Expected& control : kLayout) {
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

TEST_F(MainWindowEndToEnd, RussianInterface)
{
    CreateDirectoryA("Dict", nullptr);
    SetDword(kGame + "\\General", "Language", 6);
    ProgramRun program(folder.path());
    HWND window = program.WaitForWindow(kTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(window, 100)), FromCp1251("\xC2\xE8\xE4\xE5\xEE"));                  // Видео
    EXPECT_EQ(ControlText(GetDlgItem(window, 104)), FromCp1251("\xCF\xF0\xE8\xEC\xE5\xED\xE8\xF2\xFC"));  // Применить
    EXPECT_EQ(ControlText(GetDlgItem(window, 1)), FromCp1251("\xCC\xF3\xE7\xFB\xEA\xE0"));                // Музыка
    EXPECT_EQ(ComboItems(GetDlgItem(window, 30)).at(0), FromCp1251("\xCE\xEA\xEE\xED\xED\xFB\xE9"));    // Оконный
    EXPECT_EQ(ComboItems(GetDlgItem(window, 34)).at(6), FromCp1251("\xD0\xF3\xF1\xF1\xEA\xE8\xE9"));    // Русский
    EXPECT_EQ(ComboSelection(GetDlgItem(window, 34)), 6) << "the stored game language is selected";
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
