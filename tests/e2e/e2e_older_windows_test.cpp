// Windows XP, Vista, 7, 8 and 8.1 lack the DPI functions of Windows 10, which
// the editor looks up at run time: there every window has the system's DPI.
// A build of the editor to which every function of newer Windows looks
// missing must show, at the system's DPI, what the editor shows where they
// are found: the same rectangles, fonts, banner and check boxes, pixel for
// pixel, at 100 % and at 150 %.

#include "e2e_fixture.h"

namespace {

std::string OlderWindowsProgram()
{
    return HostPath(KERVANE_OLDER_WINDOWS_PROGRAM);
}

// What the screen shows of a window's client area once it is drawn whole,
// with the mouse away from it so that no tip shows.
std::vector<std::uint32_t> ClientPixels(HWND window)
{
    SetCursorPos(0, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(500);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const Canvas canvas(client.right, client.bottom);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Pixels();
}

long DifferentPixels(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
{
    if (a.size() != b.size() || a.empty()) return -1;
    long different = 0;
    for (std::size_t i = 0; i < a.size(); ++i) different += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    return different;
}

class OlderWindows : public EndToEnd {
protected:
    struct Look {
        std::vector<std::uint32_t> main, playlist;
    };

    // Both windows of one build at the system's DPI, placed as the layout
    // says for it.
    Look LookOf(const std::string& build, unsigned dpi)
    {
        program = build;
        Look look;
        Run(
            [&](HWND window) {
                ExpectPlacedAtDpi(window, kMainLayout, 615, 550, dpi);
                look.main = ClientPixels(window);
                HWND playlist = OpenPlaylist(window);
                ASSERT_NE(playlist, nullptr);
                ExpectPlacedAtDpi(playlist, kPlaylistLayout, 232, 246, dpi);
                look.playlist = ClientPixels(playlist);
                ASSERT_TRUE(PressAndWaitForClose(playlist, kPlaylistCancel));
            },
            kCancel);
        return look;
    }
};

TEST_F(OlderWindows, AtTheSystemDpiBothWindowsLookAsWhereTheNewerFunctionsAre)
{
    BecomeDpiAware();  // to read the windows in the screen's own pixels
    SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());
    MakeGameFolders({"Songs"});
    WriteWholeFile(GameFolder() + "\\Songs\\Dawn.mp3", "");
    WriteWholeFile(GameFolder() + "\\Songs\\Playlist.txt", PlaylistBytes({L"Dawn.mp3"}));
    for (const unsigned dpi : {96u, 144u}) {
        SCOPED_TRACE(dpi);
        const SystemDpi system(dpi);
        const Look newer = LookOf(ProgramPath(), dpi);
        const Look older = LookOf(OlderWindowsProgram(), dpi);
        EXPECT_EQ(DifferentPixels(older.main, newer.main), 0) << "pixels of the main window";
        EXPECT_EQ(DifferentPixels(older.playlist, newer.playlist), 0) << "pixels of the playlist window";
    }
}

TEST_F(OlderWindows, At150PercentItStartsLoadsAndOkWrites)
{
    const SystemDpi system(144);
    program = OlderWindowsProgram();
    ExpectFirstStartWorks();
}

}  // namespace
