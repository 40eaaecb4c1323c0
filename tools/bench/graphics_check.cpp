// The yardstick for the editor's start: the least that start has to do. It
// runs the editor's own graphics check (Direct3D 9 with the adapter's three
// mode counts, the DirectInput 7 keyboard and mouse with their data formats),
// then shows one window with the editor's client size for the screen's DPI,
// without animation, and waits to be closed.

#include <windows.h>

#include "display/graphics.h"
#include "ui/toolkit/toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The editor asks for this in its manifest.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    if (!StartGraphics()) return 1;
    HWND window = CreateProgramWindow(L"Graphics check", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 615, 550);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    // The program's window class leaves closing to its loop.
    while (WaitEvent().kind != UiEventKind::CloseRequest) {
    }
    DestroyWindow(window);
    StopGraphics();
    return 0;
}
