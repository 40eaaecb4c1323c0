// The PNG reader takes whatever bytes it is given: it never reads or writes
// outside them, and a picture it returns is whole.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/picture/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Picture picture = DecodePng(std::string_view(reinterpret_cast<const char*>(data), size));
    if (picture.pixels.empty()) {
        if (picture.width != 0 || picture.height != 0) std::abort();
        return 0;
    }
    if (picture.width <= 0 || picture.height <= 0) std::abort();
    if (picture.pixels.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
        std::abort();
    return 0;
}
