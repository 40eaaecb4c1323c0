#include "ui/picture/png_decoder.h"

#include <zlib.h>

#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace {

// A zlib stream inflated to exactly size bytes, its checksum matched.
std::optional<std::vector<std::uint8_t>> Inflate(std::string_view stream, std::size_t size)
{
    // No deflate stream grows more than 1032 times: a smaller one cannot hold
    // the picture, and a damaged size never makes a large allocation.
    if (size / 1032 > stream.size() || size > std::numeric_limits<uLong>::max() ||
        stream.size() > std::numeric_limits<uLong>::max())
        return std::nullopt;
    std::vector<std::uint8_t> bytes(size);
    auto written = static_cast<uLongf>(size);
    // uncompress fails on a stream that ends early, holds more than fits, or
    // does not match its Adler-32.
    if (uncompress(bytes.data(), &written, reinterpret_cast<const Bytef*>(stream.data()),
                   static_cast<uLong>(stream.size())) != Z_OK ||
        written != size)
        return std::nullopt;
    return bytes;
}

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::uint8_t Paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up),
              toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// Undoes each row's filter in place; false for an unknown filter.
bool Unfilter(std::vector<std::uint8_t>& data, std::size_t height, std::size_t rowBytes, std::size_t pixelBytes)
{
    for (std::size_t row = 0; row < height; ++row) {
        std::uint8_t* line = data.data() + row * (rowBytes + 1);
        const std::uint8_t filter = line[0];
        ++line;
        const std::uint8_t* above = row > 0 ? line - (rowBytes + 1) : nullptr;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int left = i >= pixelBytes ? line[i - pixelBytes] : 0;
            const int up = above ? above[i] : 0;
            const int upLeft = above && i >= pixelBytes ? above[i - pixelBytes] : 0;
            switch (filter) {
            case 0: break;
            case 1: line[i] = static_cast<std::uint8_t>(line[i] + left); break;
            case 2: line[i] = static_cast<std::uint8_t>(line[i] + up); break;
            case 3: line[i] = static_cast<std::uint8_t>(line[i] + (left + up) / 2); break;
            case 4: line[i] = static_cast<std::uint8_t>(line[i] + Paeth(left, up, upLeft)); break;
            default: return false;
            }
        }
    }
    return true;
}

}  // namespace

Picture DecodePng(std::string_view bytes)
{
    constexpr std::string_view kSignature("\x89PNG\r\n\x1A\n", 8);
    constexpr std::uint32_t kLargestSide = 16384;
    if (bytes.substr(0, kSignature.size()) != kSignature) return {};
    std::size_t at = kSignature.size();
    std::uint32_t width = 0, height = 0;
    std::size_t pixelBytes = 0;
    std::string compressed;
    bool ended = false;
    while (!ended) {
        if (bytes.size() - at < 12) return {};
        const std::uint32_t length = BigEndian32(bytes, at);
        const std::string_view type = bytes.substr(at + 4, 4);
        if (length > bytes.size() - at - 12) return {};
        const std::string_view data = bytes.substr(at + 8, length);
        const bool first = at == kSignature.size();
        at += 12 + std::size_t{length};  // length, type, data and the chunk's checksum
        if (first != (type == "IHDR")) return {};
        if (type == "IHDR") {
            if (length != 13) return {};
            width = BigEndian32(data, 0);
            height = BigEndian32(data, 4);
            const auto depth = static_cast<std::uint8_t>(data[8]), colour = static_cast<std::uint8_t>(data[9]);
            if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide || depth != 8 ||
                (colour != 2 && colour != 6) || data[10] != 0 || data[11] != 0 || data[12] != 0)
                return {};
            pixelBytes = colour == 6 ? 4 : 3;
        } else if (type == "IDAT") {
            compressed.append(data);
        } else if (type == "IEND") {
            ended = true;
        }
    }
    const std::size_t rowBytes = width * pixelBytes;
    std::optional<std::vector<std::uint8_t>> data = Inflate(compressed, (rowBytes + 1) * height);
    if (!data || !Unfilter(*data, height, rowBytes, pixelBytes)) return {};

    Picture picture{static_cast<int>(width), static_cast<int>(height), {}};
    picture.pixels.reserve(static_cast<std::size_t>(width) * height);
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* line = data->data() + row * (rowBytes + 1) + 1;
        for (std::size_t x = 0; x < width; ++x, line += pixelBytes) {
            const std::uint32_t alpha = pixelBytes == 4 ? line[3] : 0xFFu;
            picture.pixels.push_back(alpha << 24 | std::uint32_t{line[0]} << 16 | std::uint32_t{line[1]} << 8 |
                                     line[2]);
        }
    }
    return picture;
}
