// Every caption of both windows measured with the font its control really
// uses against the room the control gives it, at 96 DPI and after the window
// moved to a screen of 144 DPI, in English and in Russian. An English caption
// that does not fit fails; Russian ones that the layout cannot hold are listed
// in the output. A caption drawn cut fails in both.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string_view>
#include <thread>

#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "ui/layout/dpi.h"
#include "ui/layout/placement.h"
#include "ui/main_window/main_window.h"
#include "ui/playlist/playlist_window.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/text_codec.h"
#include "ui/toolkit/toolkit.h"
#include "window_layouts.h"
#include "wine_fixtures.h"

namespace {

std::string Describe(const std::vector<CutCaption>& cut)
{
    std::string text;
    for (const CutCaption& caption : cut) {
        char line[160];
        std::snprintf(line, sizeof line, "  control %d: %d pixels wide, room for %d: ", static_cast<int>(caption.id),
                      caption.needed, caption.room);
        text += line + EncodeText(caption.text, CP_UTF8) + "\n";
    }
    return text;
}

// English must fit everywhere; other languages are reported. What is drawn
// must be whole in every language.
void ExpectWhole(HWND window, const std::vector<Expected>& layout, unsigned dpi, const char* name,
                 const std::string& language)
{
    const std::vector<CutCaption> drawnCut = CaptionsDrawnCut(window, layout);
    EXPECT_TRUE(drawnCut.empty()) << name << " at " << dpi << " DPI, captions drawn cut (ink alone, ink shown):\n"
                                  << Describe(drawnCut);
    const std::vector<CutCaption> cut = CutCaptions(window, layout, dpi);
    if (language == "EN") {
        EXPECT_TRUE(cut.empty()) << name << " at " << dpi << " DPI, cut English captions:\n" << Describe(cut);
    } else if (!cut.empty()) {
        std::cout << name << " at " << dpi << " DPI, " << language << " captions the layout cannot hold:\n"
                  << Describe(cut);
    }
}

// The height of each control's font, in pixels.
std::map<ControlId, int> FontHeights(HWND window, const std::vector<Expected>& layout)
{
    std::map<ControlId, int> heights;
    for (const Expected& row : layout) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, row.id), WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        heights[row.id] = std::abs(font.lfHeight);
    }
    return heights;
}

// The window at 96 DPI and after a move to 144 DPI: placed as its layout
// says, every caption whole, and every font made again half as large again,
// within a pixel.
void ExpectWholeAt96And144Dpi(HWND window, const std::vector<Expected>& layout, int clientWidth, int clientHeight,
                              const char* name, const std::string& language)
{
    ExpectPlacedAtDpi(window, layout, clientWidth, clientHeight, 96);
    ExpectWhole(window, layout, 96, name, language);
    const std::map<ControlId, int> at96 = FontHeights(window, layout);
    MoveToDpi(window, 144);
    const std::map<ControlId, int> at144 = FontHeights(window, layout);
    for (const auto& [id, height] : at96) {
        if (height == 0) continue;  // the banner draws no text
        EXPECT_NEAR(at144.at(id), height * 3 / 2.0, 1.0) << "the font of control " << id;
    }
    ExpectPlacedAtDpi(window, layout, clientWidth, clientHeight, 144);
    ExpectWhole(window, layout, 144, name, language);
}

// The interface language, by its code.
class CaptionFit : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        DeleteKeyTree(kSettingsKey);
        InitialiseProcessValues();
        CreateDirectoryA("Dict", nullptr);
        EnsureDictionary();
        LanguageCode = GetParam();
    }
    void TearDown() override { DeleteKeyTree(kSettingsKey); }
    ScratchFolder folder;
};

INSTANTIATE_TEST_SUITE_P(Languages, CaptionFit, ::testing::Values("EN", "RU"),
                         [](const auto& info) { return info.param; });

TEST_P(CaptionFit, MainWindowAt96And144Dpi)
{
    DisplayModeList = {"Window", "800*600", "1024*768", "1920*1080"};
    LastModeIndex = 3;
    ASSERT_TRUE(BuildMainWindow());
    HWND window = MainWindow();
    ASSERT_EQ(WindowDpi(window), 96u) << "the test prefix runs at 96 DPI";
    ExpectWholeAt96And144Dpi(window, kMainLayout, 615, 550, "main window", GetParam());
    BITMAP banner{};
    GetObjectW(BannerImage, sizeof banner, &banner);
    EXPECT_EQ(banner.bmWidth, 896) << "the banner drawn for 150 %, not stretched";
    EXPECT_EQ(banner.bmHeight, 239);
    LOGFONTW button{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, kOk), WM_GETFONT, 0, 0)), sizeof button,
               &button);
    EXPECT_EQ(button.lfHeight, -20) << "Arial 10 points at 144 DPI";
    DestroyWindow(window);
}

// A list's row check boxes as it draws them, unticked then ticked.
std::vector<std::uint32_t> CheckBoxPixels(HWND list)
{
    HIMAGELIST images = ListView_GetImageList(list, LVSIL_STATE);
    int size = 0, height = 0;
    if (!ImageList_GetIconSize(images, &size, &height)) return {};
    Canvas canvas(2 * size, height);
    for (int image = 0; image < 2; ++image) ImageList_Draw(images, image, canvas.dc(), image * size, 0, ILD_NORMAL);
    return canvas.Pixels();
}

// From another thread than the playlist editor's: its window once every
// control is in place (it shows as soon as it exists, and its loop answers
// when the controls are made); null after five seconds. The title is looked
// up before, on the editor's thread: the dictionary serves one thread.
HWND WaitForPlaylistWindow(const std::wstring& title)
{
    HWND window = nullptr;
    for (int i = 0; i < 500 && !(window && GetDlgItem(window, kPlaylistCancel)); ++i, Sleep(10))
        window = FindWindowW(nullptr, title.c_str());
    if (window) SendMessageW(window, WM_NULL, 0, 0);
    return window;
}

TEST_P(CaptionFit, PlaylistWindowAt96And144Dpi)
{
    GameRoot = folder.path() + "\\";
    CreateDirectoryA("Songs", nullptr);
    WriteWholeFile("Songs\\Dawn over Vaelmoor.mp3", "ID3");
    WriteWholeFile("Songs\\Playlist.txt", "Dawn over Vaelmoor.mp3\r\n");
    const std::wstring title = DecodeUiText(LookupText("60", "Playlist"));
    std::thread inspector([&] {
        HWND window = WaitForPlaylistWindow(title);
        if (!window) return;  // the editor's loop then waits for ever; ctest's time limit fails the test
        const std::vector<std::uint32_t> own = CheckBoxPixels(GetDlgItem(window, kSongList));
        ExpectWholeAt96And144Dpi(window, kPlaylistLayout, 232, 246, "playlist window", GetParam());
        // The song list's check boxes are made again for the new DPI, the song still ticked.
        HWND list = GetDlgItem(window, kSongList);
        int width = 0, height = 0;
        ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_STATE), &width, &height);
        EXPECT_EQ(width, GetSystemMetricsForDpi(SM_CXSMICON, 144));
        EXPECT_TRUE(ListView_GetCheckState(list, 0));
        // At 97 DPI the list's own boxes come out at the DPI's size: the list shows them again, not drawn ones.
        MoveToDpi(window, 97);
        EXPECT_EQ(CheckBoxPixels(list), own);
        EXPECT_TRUE(ListView_GetCheckState(list, 0));
        PostMessageW(GetDlgItem(window, kPlaylistCancel), BM_CLICK, 0, 0);
    });
    PlaylistEditor();
    inspector.join();
}

// Records the state image lists a list hands back when it is given others,
// each by the bitmap it holds while it lives.
LRESULT CALLBACK RecordHandedBackBoxes(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR handedBack)
{
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    IMAGEINFO info{};
    if (message == LVM_SETIMAGELIST && wParam == LVSIL_STATE && result &&
        ImageList_GetImageInfo(reinterpret_cast<HIMAGELIST>(result), 0, &info))
        reinterpret_cast<std::vector<HBITMAP>*>(handedBack)->push_back(info.hbmImage);
    return result;
}

BOOL CALLBACK CountProgramProperty(HWND, LPWSTR name, HANDLE, ULONG_PTR count)
{
    if (!IS_INTRESOURCE(name) && std::wstring_view(name).starts_with(L"KervaneSettings"))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Ten moves between screens of 96 and 144 DPI of a song list as the playlist
// window lays it out: each time its own check boxes give way to drawn ones,
// the list hands its own back, and they are gone after the move; and the list
// carries no window property of the program's, which the system would keep in
// its global atom table after the window is destroyed.
TEST_P(CaptionFit, MovesBetweenDpisLeaveNoCheckBoxesBehind)
{
    HWND window = CreateProgramWindow(L"Songs", WS_OVERLAPPED | WS_CAPTION, 232, 246);
    ASSERT_NE(window, nullptr);
    HWND list = CreateLaidOutControl(window, WC_LISTVIEWW, L"", LVS_REPORT, 0, {kSongList, {5, 40, 220, 170}});
    ShowRowCheckBoxes(list);
    OnLayout(list, [](HWND control, unsigned dpi) { FitRowCheckBoxes(control, dpi); });
    AddRows(list, {"Dawn over Vaelmoor.mp3"}, TextOrigin::System);
    std::vector<HBITMAP> handedBack;
    ASSERT_TRUE(SetWindowSubclass(list, RecordHandedBackBoxes, 1, reinterpret_cast<DWORD_PTR>(&handedBack)));
    for (int move = 0; move < 10; ++move) MoveToDpi(window, move % 2 ? 96 : 144);
    EXPECT_GE(handedBack.size(), 5u) << "the list's own boxes given back at each move to 144 DPI";
    for (const HBITMAP boxes : handedBack) EXPECT_EQ(GetObjectType(boxes), 0u) << "boxes left behind";
    int properties = 0;
    EnumPropsExW(list, CountProgramProperty, reinterpret_cast<LPARAM>(&properties));
    EXPECT_EQ(properties, 0);
    RemoveWindowSubclass(list, RecordHandedBackBoxes, 1);
    DestroyWindow(window);
}

// Ten moves between screens of 96 and 144 DPI: the banner shows a picture
// drawn for each DPI, and the one it showed before a move is gone after it.
// The tips are as wide as the DPI makes 300 pixels.
TEST_P(CaptionFit, MovesBetweenDpisLeaveNoPictureBehind)
{
    ASSERT_TRUE(BuildMainWindow());
    HWND window = MainWindow();
    HWND banner = GetDlgItem(window, kBanner);
    const std::vector<HWND> tooltips = TooltipsOf(window);
    ASSERT_EQ(tooltips.size(), 1u);
    for (int move = 0; move < 10; ++move) {
        const unsigned dpi = move % 2 ? 96 : 144;
        const auto shown = reinterpret_cast<HBITMAP>(SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
        MoveToDpi(window, dpi);
        EXPECT_EQ(GetObjectType(shown), 0u) << "move " << move;
        BITMAP now{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HBITMAP>(SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                               sizeof now, &now));
        EXPECT_EQ(now.bmWidth, MulDiv(597, static_cast<int>(dpi), 96)) << "move " << move;
        EXPECT_EQ(SendMessageW(tooltips[0], TTM_GETMAXTIPWIDTH, 0, 0), MulDiv(300, static_cast<int>(dpi), 96));
    }
    DestroyWindow(window);
}

// What the screen shows of a column of a window's client area, from top to bottom.
std::vector<COLORREF> ScreenColumn(HWND window, int x, int top, int bottom)
{
    HDC dc = GetDC(window);
    std::vector<COLORREF> column;
    for (int y = top; y < bottom; ++y) column.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return column;
}

// "View panning" reaches past the Video frame's right border. On screen the
// box is drawn and the border stays whole beside it, at 96 and at 144 DPI.
TEST_P(CaptionFit, ViewPanningLeavesTheVideoFrameWholeOnScreen)
{
    ASSERT_TRUE(BuildMainWindow());
    HWND window = MainWindow();
    ShowWindow(window, SW_SHOWNOACTIVATE);
    for (const unsigned dpi : {96u, 144u}) {
        if (dpi != 96) MoveToDpi(window, dpi);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const RECT frame = ControlRect(GetDlgItem(window, kVideoFrame));
        const RECT box = ControlRect(GetDlgItem(window, kViewPanning));
        for (const int x : {frame.right - 2, frame.right - 1}) {
            // The border's colour further down, where nothing else reaches it.
            const COLORREF border = ScreenColumn(window, x, frame.bottom - 10, frame.bottom - 9).front();
            const std::vector<COLORREF> beside = ScreenColumn(window, x, box.top, box.bottom);
            EXPECT_EQ(std::count(beside.begin(), beside.end(), border), std::ssize(beside))
                << dpi << " DPI, column " << x;
        }
        // A column through the box's square: not only the window's face.
        const std::vector<COLORREF> square = ScreenColumn(window, box.left + MulDiv(6, static_cast<int>(dpi), 96),
                                                          box.top, box.bottom);
        EXPECT_LT(std::count(square.begin(), square.end(), GetSysColor(COLOR_BTNFACE)), std::ssize(square))
            << dpi << " DPI: the box is drawn";
    }
    DestroyWindow(window);
}

// AnimateWindow draws the slide-in's and the fade-out's frames through
// WM_PRINT and WM_PRINTCLIENT, into a device context whose origin it moves.
// Printed either way, "View panning" leaves everything from the Video frame's
// border on as it was, at 96 and at 144 DPI, and draws its square; and it
// gives the device context back as it came, unclipped and at the same saved
// state, so that what is printed after it is whole. (Wine's WM_PRINT of a
// whole window prints none of its children, so the box is printed alone, over
// a colour of the test's own. Wine's Button also draws at the device
// context's own origin whatever its viewport origin, so at a moved origin
// nothing shows through the clip, which is in logical coordinates, as
// Windows' Button draws: there the square is looked for at origin 0 only.)
TEST_P(CaptionFit, ViewPanningPrintsOnlyInsideTheVideoFrame)
{
    ASSERT_TRUE(BuildMainWindow());
    HWND window = MainWindow();
    ShowWindow(window, SW_SHOWNOACTIVATE);
    HWND box = GetDlgItem(window, kViewPanning);
    constexpr COLORREF kUntouched = RGB(255, 0, 255), kAfter = RGB(0, 255, 0);
    for (const unsigned dpi : {96u, 144u}) {
        if (dpi != 96) MoveToDpi(window, dpi);
        const RECT place = ControlRect(box);
        const int border = ControlRect(GetDlgItem(window, kVideoFrame)).right - 2 - place.left;
        for (const int origin : {0, 37})
            for (const auto& [message, flags] :
                 {std::pair<UINT, LPARAM>{WM_PRINT, PRF_CHILDREN | PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND},
                  {WM_PRINTCLIENT, PRF_CLIENT}}) {
                SCOPED_TRACE(testing::Message() << dpi << " DPI, origin " << origin << ", message " << message);
                const int width = origin + place.right - place.left, height = origin + place.bottom - place.top;
                Canvas canvas(width, height);
                const auto fill = [&](COLORREF colour) {
                    const RECT all{0, 0, width, height};
                    HBRUSH brush = CreateSolidBrush(colour);
                    FillRect(canvas.dc(), &all, brush);
                    DeleteObject(brush);
                };
                // A picture's pixel is 0xRRGGBB; the colours' bytes read the same either way round.
                const auto count = [&](int left, int right, COLORREF colour) {
                    const std::vector<std::uint32_t> pixels = canvas.Pixels();
                    int found = 0;
                    for (int y = 0; y < height; ++y)
                        for (int x = left; x < right; ++x)
                            found += (pixels[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF) == colour;
                    return found;
                };
                fill(kUntouched);
                const int level = SaveDC(canvas.dc());
                SetViewportOrgEx(canvas.dc(), origin, origin, nullptr);
                SendMessageW(box, message, reinterpret_cast<WPARAM>(canvas.dc()), flags);
                EXPECT_EQ(count(origin + border, width, kUntouched), (width - origin - border) * height)
                    << "pixels painted from the border on";
                const int square = MulDiv(6, static_cast<int>(dpi), 96);
                if (origin == 0) {
                    EXPECT_LT(count(square, square + 1, kUntouched), height) << "the box is drawn";
                }

                HRGN clip = CreateRectRgn(0, 0, 0, 0);
                EXPECT_EQ(GetClipRgn(canvas.dc(), clip), 0) << "a clip region left behind";
                DeleteObject(clip);
                RestoreDC(canvas.dc(), -1);
                EXPECT_EQ(SaveDC(canvas.dc()), level) << "a saved state left behind";
                RestoreDC(canvas.dc(), -1);
                fill(kAfter);
                EXPECT_EQ(count(0, width, kAfter), width * height) << "what is printed next is cut";
            }
    }
    DestroyWindow(window);
}

// A caption far too long for "Blood" widens it only up to its neighbour on
// the row, "Center on event", with the gap kept.
TEST_P(CaptionFit, ACaptionGrowsNoFurtherThanTheRoomBesideIt)
{
    const std::string caption = "Blood on every battlefield of the realm, and more";
    WriteWholeFile("Dict\\Setup.ini", "[10]\r\nEN = " + caption + "\r\nRU = " + caption + "\r\n");
    ASSERT_TRUE(BuildMainWindow());
    HWND window = MainWindow();
    for (const unsigned dpi : {96u, 144u}) {
        if (dpi != 96) MoveToDpi(window, dpi);
        EXPECT_EQ(ControlRect(GetDlgItem(window, kBlood)).right, MulDiv(156, static_cast<int>(dpi), 96)) << dpi;
    }
    DestroyWindow(window);
}

}  // namespace
