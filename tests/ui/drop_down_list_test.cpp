// The program's drop-down list, driven in-process as the player and the rest
// of the program drive it: its answers to the combo-box messages, its height
// beside the system's own drop-down list, the keyboard and the mouse, and the
// list window that exists only once the list has been opened.

#include "ui/drop_down_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kBoxId = 30;
std::vector<int> Changes;  // the ids of the CBN_SELCHANGE notifications the parent got

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) Changes.push_back(LOWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

int OwnedTopLevelWindows()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(), [](HWND, LPARAM counter) { return ++*reinterpret_cast<int*>(counter), TRUE; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// One parent window for all cases: under Wine without a window manager, hiding
// a window waits for one.
class DropDownList : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(RegisterDropDownList());
        WNDCLASSW parentClass{};
        parentClass.lpfnWndProc = ParentProcedure;
        parentClass.hInstance = GetModuleHandleW(nullptr);
        parentClass.lpszClassName = L"DropDownTestParent";
        RegisterClassW(&parentClass);
        parent_ = CreateWindowExW(0, L"DropDownTestParent", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(parent_); }

    void SetUp() override
    {
        box_ = Make(kDropDownListClass, kBoxId);
        for (const wchar_t* item : {L"Slow", L"Normal", L"Fast", L"Faster"})
            SendMessageW(box_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        Changes.clear();
    }
    void TearDown() override { DestroyWindow(box_); }

    HWND Make(const wchar_t* className, int id)
    {
        HWND made = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 10, 10,
                                    180, 100, parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                    GetModuleHandleW(nullptr), nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return made;
    }

    int Selected() const { return static_cast<int>(SendMessageW(box_, CB_GETCURSEL, 0, 0)); }
    bool IsOpen() const { return SendMessageW(box_, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    void Key(WPARAM key) const { SendMessageW(box_, WM_KEYDOWN, key, 0); }
    // Whether the box keeps a key from the window's dialog keys.
    bool WantsKey(WPARAM key) const
    {
        MSG message{box_, WM_KEYDOWN, key, 0, 0, {}};
        return (SendMessageW(box_, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message)) & DLGC_WANTMESSAGE) != 0;
    }

    // The open list: the one top-level window the box made.
    HWND OpenList() const
    {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM result) {
                wchar_t name[32] = L"";
                GetClassNameW(window, name, 32);
                if (_wcsicmp(name, L"ListBox") == 0) *reinterpret_cast<HWND*>(result) = window;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    // A mouse message at a point of the screen, as the box gets it while it holds the mouse.
    void Mouse(UINT message, POINT screen) const
    {
        ScreenToClient(box_, &screen);
        SendMessageW(box_, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(screen.x, screen.y));
    }

    POINT ItemCentre(int index) const
    {
        HWND list = OpenList();
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(list, &centre);
        return centre;
    }

    static inline HWND parent_ = nullptr;
    HWND box_ = nullptr;
};

TEST_F(DropDownList, IsAsHighAsTheSystemsDropDownListWithTheSameFont)
{
    HWND system = Make(L"COMBOBOX", 31);
    RECT ours, theirs;
    GetWindowRect(box_, &ours);
    GetWindowRect(system, &theirs);
    EXPECT_EQ(ours.bottom - ours.top, theirs.bottom - theirs.top);
    EXPECT_EQ(ours.right - ours.left, 180);

    // A larger font makes both boxes higher, and moving keeps the box's own height.
    LOGFONTW large{};
    large.lfHeight = -24;
    wcscpy_s(large.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&large);
    for (HWND box : {box_, system}) SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetWindowPos(box_, nullptr, 0, 0, 180, 300, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(box_, &ours);
    GetWindowRect(system, &theirs);
    EXPECT_EQ(ours.bottom - ours.top, theirs.bottom - theirs.top);
    EXPECT_GT(ours.bottom - ours.top, 24);
    DestroyWindow(system);
    DeleteObject(font);
}

TEST_F(DropDownList, AnswersTheComboBoxMessages)
{
    EXPECT_EQ(SendMessageW(box_, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(Selected(), CB_ERR);
    EXPECT_EQ(SendMessageW(box_, CB_SETCURSEL, 2, 0), 2);
    wchar_t text[16] = L"";
    EXPECT_EQ(SendMessageW(box_, CB_GETLBTEXTLEN, 3, 0), 6);
    EXPECT_EQ(SendMessageW(box_, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text)), 6);
    EXPECT_STREQ(text, L"Faster");
    EXPECT_EQ(SendMessageW(box_, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(text)), CB_ERR);
    // The window text is the chosen item, cut to the caller's buffer.
    EXPECT_EQ(GetWindowTextLengthW(box_), 4);
    wchar_t shortBuffer[3] = L"";
    EXPECT_EQ(GetWindowTextW(box_, shortBuffer, 3), 2);
    EXPECT_STREQ(shortBuffer, L"Fa");
    // An index past the items clears the choice, as the system's list does.
    EXPECT_EQ(SendMessageW(box_, CB_SETCURSEL, 9, 0), CB_ERR);
    EXPECT_EQ(Selected(), CB_ERR);
    EXPECT_EQ(GetWindowTextLengthW(box_), 0);
    SendMessageW(box_, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(SendMessageW(box_, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageW(box_, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Selected(), CB_ERR);
    EXPECT_TRUE(Changes.empty()) << "only the player's choices are notified";
}

TEST_F(DropDownList, MakesItsListWindowOnlyWhenFirstOpened)
{
    const int before = OwnedTopLevelWindows();
    std::vector<HWND> more;
    for (int id = 40; id < 50; ++id) more.push_back(Make(kDropDownListClass, id));
    EXPECT_EQ(OwnedTopLevelWindows(), before);
    for (HWND box : more) DestroyWindow(box);
    EXPECT_EQ(OpenList(), nullptr);
    SendMessageW(box_, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_NE(OpenList(), nullptr);
    EXPECT_TRUE(IsWindowVisible(OpenList()));
    EXPECT_EQ(SendMessageW(OpenList(), LB_GETCOUNT, 0, 0), 4);
    SendMessageW(box_, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(OpenList()));
    // Items added later reach the list that exists.
    SendMessageW(box_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Fastest"));
    EXPECT_EQ(SendMessageW(OpenList(), LB_GETCOUNT, 0, 0), 5);
}

TEST_F(DropDownList, KeysOfTheClosedBoxChooseAndNotifyOnce)
{
    SetFocus(box_);
    Key(VK_DOWN);
    EXPECT_EQ(Selected(), 0);
    Key(VK_UP);  // already the first: nothing changes
    Key(VK_END);
    EXPECT_EQ(Selected(), 3);
    Key(VK_DOWN);  // already the last
    SendMessageW(box_, WM_CHAR, L'n', 0);
    EXPECT_EQ(Selected(), 1);
    SendMessageW(box_, WM_CHAR, L'F', 0);  // the next item after "Normal" that starts with F
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Changes, (std::vector<int>{kBoxId, kBoxId, kBoxId, kBoxId}));
}

TEST_F(DropDownList, TheOpenListChoosesOnEnterOrTabAndForgetsOnEscape)
{
    SendMessageW(box_, CB_SETCURSEL, 1, 0);
    SetFocus(box_);
    EXPECT_FALSE(WantsKey(VK_RETURN));
    Key(VK_F4);
    ASSERT_TRUE(IsOpen());
    // Enter and Esc belong to the open list, not to the window's buttons; Tab still moves on.
    EXPECT_TRUE(WantsKey(VK_RETURN));
    EXPECT_TRUE(WantsKey(VK_ESCAPE));
    EXPECT_FALSE(WantsKey(VK_TAB));
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Selected(), 1) << "moving in the open list is not yet a choice";
    Key(VK_ESCAPE);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(Changes.empty());

    SendMessageW(box_, WM_SYSKEYDOWN, VK_DOWN, 0);
    ASSERT_TRUE(IsOpen());
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Changes, std::vector<int>{kBoxId});

    // Leaving by Tab closes the list and keeps the item the keys moved to.
    Key(VK_F4);
    Key(VK_UP);
    SetFocus(parent_);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Changes, (std::vector<int>{kBoxId, kBoxId}));
}

TEST_F(DropDownList, TheMouseOpensChoosesAndClosesOutside)
{
    RECT box;
    GetWindowRect(box_, &box);
    const POINT onBox{box.left + 20, (box.top + box.bottom) / 2};
    Mouse(WM_LBUTTONDOWN, onBox);
    Mouse(WM_LBUTTONUP, onBox);
    ASSERT_TRUE(IsOpen()) << "a click on the box leaves the list open";
    EXPECT_EQ(GetFocus(), box_);
    RECT list;
    GetWindowRect(OpenList(), &list);
    EXPECT_EQ(list.top, box.bottom);
    EXPECT_EQ(list.left, box.left);
    EXPECT_EQ(list.right, box.right);
    EXPECT_LE(list.bottom - list.top, 100 - (box.bottom - box.top)) << "the list stays in its room";

    Mouse(WM_MOUSEMOVE, ItemCentre(3));
    EXPECT_EQ(SendMessageW(OpenList(), LB_GETCURSEL, 0, 0), 3) << "the list follows the mouse";
    Mouse(WM_LBUTTONDOWN, ItemCentre(2));
    Mouse(WM_LBUTTONUP, ItemCentre(2));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Changes, std::vector<int>{kBoxId});

    Mouse(WM_LBUTTONDOWN, onBox);
    Mouse(WM_LBUTTONUP, onBox);
    ASSERT_TRUE(IsOpen());
    Mouse(WM_LBUTTONDOWN, {list.right + 50, list.bottom + 50});
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Changes.size(), 1U);
}

TEST_F(DropDownList, ADisabledBoxDoesNotOpen)
{
    EnableWindow(box_, FALSE);
    Key(VK_F4);
    SendMessageW(box_, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_FALSE(IsOpen());
}

TEST_F(DropDownList, ComboBoxMessagesItDoesNotKeepFail)
{
    EXPECT_EQ(SendMessageW(box_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Fast")),
              CB_ERR);
    EXPECT_EQ(SendMessageW(box_, CB_SETITEMDATA, 0, 7), CB_ERR);
    EXPECT_EQ(SendMessageW(box_, CB_ADDSTRING, 0, 0), 4) << "no text adds an empty item";
}

}  // namespace
