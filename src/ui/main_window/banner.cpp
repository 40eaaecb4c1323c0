#include "ui/main_window/banner.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/resources/resource_ids.h"
#include "ui/layout/dpi.h"
#include "ui/picture/image_scale.h"
#include "ui/picture/png_decoder.h"

namespace {

constexpr int kBannerWidth = 597;
constexpr int kBannerHeight = 159;

HBITMAP ToBitmap(const std::vector<std::uint32_t>& pixels, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) CopyMemory(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    return bitmap;
}

}  // namespace

std::string_view LargeBannerPng()
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDB_BANNER_LARGE), RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const char*>(bytes), SizeofResource(module, resource)};
}

HBITMAP LoadBanner(unsigned dpi)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (dpi == kLayoutDpi)
        return static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const int width = ScaleToDpi(kBannerWidth, dpi);
    const int height = ScaleToDpi(kBannerHeight, dpi);
    const Picture large = DecodePng(LargeBannerPng());
    if (!large.pixels.empty()) {
        const std::vector<std::uint32_t> scaled = ScaleByArea(large.pixels, large.width, large.height, width, height);
        if (HBITMAP bitmap = ToBitmap(scaled, width, height)) return bitmap;
    }
    // Without the large drawing the small one is stretched: blurred, but whole.
    return static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION));
}
