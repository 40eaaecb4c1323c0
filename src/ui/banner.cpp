#include "ui/banner.h"

#include <wincodec.h>

#include <cstdint>
#include <vector>

#include "app/library_entry.h"
#include "resources/resource_ids.h"
#include "ui/dpi.h"
#include "ui/image_scale.h"

namespace {

constexpr int kBannerWidth = 597;
constexpr int kBannerHeight = 159;

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer()
    {
        if (pointer_) pointer_->Release();
    }
    Interface** Out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // top row first
};

// COM, loaded only when a screen above 96 DPI needs the large banner: the
// start at 96 DPI does without ole32 and the imaging component.
class ComLibrary {
public:
    ComLibrary() : module_(LoadLibraryW(L"ole32.dll"))
    {
        if (!module_) return;
        initialize_ = LibraryEntry<Initialize>(module_, "CoInitializeEx");
        uninitialize_ = LibraryEntry<Uninitialize>(module_, "CoUninitialize");
        create_ = LibraryEntry<CreateInstance>(module_, "CoCreateInstance");
        started_ = initialize_ && uninitialize_ && SUCCEEDED(initialize_(nullptr, COINIT_APARTMENTTHREADED));
    }
    ~ComLibrary()
    {
        if (started_) uninitialize_();
        if (module_) FreeLibrary(module_);
    }
    ComLibrary(const ComLibrary&) = delete;
    ComLibrary& operator=(const ComLibrary&) = delete;

    HRESULT Create(REFCLSID type, REFIID kind, void** object) const
    {
        return create_ ? create_(type, nullptr, CLSCTX_INPROC_SERVER, kind, object) : E_NOTIMPL;
    }

private:
    using Initialize = HRESULT(WINAPI*)(void*, DWORD);
    using Uninitialize = void(WINAPI*)();
    using CreateInstance = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

    HMODULE module_;
    Initialize initialize_ = nullptr;
    Uninitialize uninitialize_ = nullptr;
    CreateInstance create_ = nullptr;
    bool started_ = false;
};

// The large drawing of the banner, stored in the program as a compressed
// picture that the Windows Imaging Component reads.
Picture DecodeLargeBanner()
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDB_BANNER_LARGE), RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    const ComLibrary com;
    ComPointer<IWICImagingFactory> factory;
    ComPointer<IWICStream> stream;
    ComPointer<IWICBitmapDecoder> decoder;
    ComPointer<IWICBitmapFrameDecode> frame;
    ComPointer<IWICFormatConverter> converted;
    UINT width = 0, height = 0;
    if (FAILED(com.Create(CLSID_WICImagingFactory, IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()))) ||
        FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)),
                                            SizeofResource(module, resource))) ||
        FAILED(
            factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(factory->CreateFormatConverter(converted.Out())) ||
        FAILED(converted->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0)
        return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (FAILED(converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
        return {};
    return {static_cast<int>(width), static_cast<int>(height), std::move(pixels)};
}

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

HBITMAP LoadBanner(unsigned dpi)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (dpi == kLayoutDpi)
        return static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const int width = ScaleToDpi(kBannerWidth, dpi);
    const int height = ScaleToDpi(kBannerHeight, dpi);
    const Picture large = DecodeLargeBanner();
    if (!large.pixels.empty()) {
        const std::vector<std::uint32_t> scaled = ScaleByArea(large.pixels, large.width, large.height, width, height);
        if (HBITMAP bitmap = ToBitmap(scaled, width, height)) return bitmap;
    }
    // Without the large drawing the small one is stretched: blurred, but whole.
    return static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION));
}
