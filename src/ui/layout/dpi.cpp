#include "ui/layout/dpi.h"

#include <map>

#include "app/platform/library_entry.h"

namespace {

// Functions of Windows 10 1607 and later. Where they are missing (Windows XP
// to 8.1), every window has the system's DPI, which the system made its
// metrics and stock fonts for.
template <typename Function>
Function User32Function(const char* name)
{
    return NewerWindowsFunction<Function>(L"user32.dll", name);
}

}  // namespace

unsigned SystemDpi()
{
    static const unsigned dpi = [] {
        HDC screen = GetDC(nullptr);
        const int logPixels = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return logPixels > 0 ? static_cast<unsigned>(logPixels) : kLayoutDpi;
    }();
    return dpi;
}

unsigned WindowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

int ScaleToDpi(int length, unsigned dpi)
{
    return MulDiv(length, static_cast<int>(dpi), static_cast<int>(kLayoutDpi));
}

int SystemMetricForDpi(int index, unsigned dpi)
{
    using GetMetricForDpi = int(WINAPI*)(int, UINT);
    static const auto getMetricForDpi = User32Function<GetMetricForDpi>("GetSystemMetricsForDpi");
    if (getMetricForDpi) return getMetricForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

SIZE FrameSize(int clientWidth, int clientHeight, DWORD style, unsigned dpi)
{
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, 0, dpi)) AdjustWindowRectEx(&frame, style, FALSE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

HFONT StandardFont(unsigned dpi)
{
    const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const unsigned systemDpi = SystemDpi();
    if (dpi == systemDpi) return stock;
    static std::map<unsigned, HFONT> scaled;
    if (const auto found = scaled.find(dpi); found != scaled.end()) return found->second;
    LOGFONTW font{};
    GetObjectW(stock, sizeof font, &font);
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
    const HFONT made = CreateFontIndirectW(&font);
    return scaled[dpi] = made ? made : stock;
}

HFONT ButtonFont(unsigned dpi)
{
    static std::map<unsigned, HFONT> fonts;
    if (const auto found = fonts.find(dpi); found != fonts.end()) return found->second;
    const HFONT made = CreateFontW(-MulDiv(10, static_cast<int>(dpi), 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, L"Arial");
    return fonts[dpi] = made ? made : StandardFont(dpi);
}
