// Every caption of both windows measured with the font its control really
// uses against the room the control gives it, at 96 DPI and after the window
// moved to a screen of 144 DPI, in English and in Russian. An English caption
// that does not fit fails; Russian ones that the layout cannot hold are listed
// in the output. A caption drawn cut fails in both.

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <thread>

#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "ui/layout/dpi.h"
#include "ui/main_window/main_window.h"
#include "ui/playlist/playlist_window.h"
#include "ui/toolkit/text_codec.h"
#include "window_layouts.h"
#include "wine_fixtures.h"

namespace {

// Moves the window to a screen of the given DPI as Windows tells it.
void MoveToDpi(HWND window, unsigned dpi)
{
    RECT suggested;
    GetWindowRect(window, &suggested);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

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

TEST_P(CaptionFit, PlaylistWindowAt96And144Dpi)
{
    GameRoot = folder.path() + "\\";
    CreateDirectoryA("Songs", nullptr);
    WriteWholeFile("Songs\\Dawn over Vaelmoor.mp3", "ID3");
    const std::wstring title = DecodeText(LookupText("60", "Playlist"), UiCodePage(LanguageCode));
    std::thread inspector([&] {
        // The window shows as soon as it exists; its loop answers once every control is in place.
        HWND window = nullptr;
        for (int i = 0; i < 500 && !(window && GetDlgItem(window, kPlaylistCancel)); ++i, Sleep(10))
            window = FindWindowW(nullptr, title.c_str());
        if (!window) return;  // the editor's loop then waits for ever; ctest's time limit fails the test
        SendMessageW(window, WM_NULL, 0, 0);
        ExpectWholeAt96And144Dpi(window, kPlaylistLayout, 232, 246, "playlist window", GetParam());
        PostMessageW(GetDlgItem(window, kPlaylistCancel), BM_CLICK, 0, 0);
    });
    PlaylistEditor();
    inspector.join();
}

}  // namespace
