// The large banner the program carries, read by the program's own PNG reader
// and by the Windows Imaging Component: the same picture, pixel for pixel.

#include <windows.h>

#include <gtest/gtest.h>
#include <wincodec.h>

#include <string_view>

#include "ui/main_window/banner.h"
#include "ui/picture/png_decoder.h"

namespace {

// The picture as the imaging component reads it, in the same pixel layout.
Picture ReadWithImagingComponent(std::string_view bytes)
{
    Picture picture;
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converted = nullptr;
    UINT width = 0, height = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                               static_cast<DWORD>(bytes.size()))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converted)) &&
        SUCCEEDED(converted->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converted->GetSize(&width, &height))) {
        picture.pixels.resize(static_cast<std::size_t>(width) * height);
        if (SUCCEEDED(converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(picture.pixels.size() * 4),
                                            reinterpret_cast<BYTE*>(picture.pixels.data())))) {
            picture.width = static_cast<int>(width);
            picture.height = static_cast<int>(height);
        }
    }
    for (IUnknown* object :
         {static_cast<IUnknown*>(converted), static_cast<IUnknown*>(frame), static_cast<IUnknown*>(decoder),
          static_cast<IUnknown*>(stream), static_cast<IUnknown*>(factory)})
        if (object) object->Release();
    return picture;
}

TEST(LargeBanner, ReadsAsTheImagingComponentReadsIt)
{
    const std::string_view bytes = LargeBannerPng();
    ASSERT_FALSE(bytes.empty());
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const Picture expected = ReadWithImagingComponent(bytes);
    CoUninitialize();
    ASSERT_EQ(expected.width, 1194);
    ASSERT_EQ(expected.height, 318);

    const Picture read = DecodePng(bytes);
    EXPECT_EQ(read.width, expected.width);
    EXPECT_EQ(read.height, expected.height);
    EXPECT_TRUE(read.pixels == expected.pixels);
}

}  // namespace
