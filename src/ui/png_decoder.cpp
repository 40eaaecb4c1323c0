#include "ui/png_decoder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace {

constexpr int kLongestCode = 15;

// The bits of a deflate stream, first bit of the first byte first.
class BitReader {
public:
    explicit BitReader(std::string_view bytes) : bytes_(bytes) {}

    // The next count bits (at most 16) as a number; false past the end.
    bool Read(int count, std::uint32_t& value)
    {
        if (!Fill(count)) return false;
        value = static_cast<std::uint32_t>(buffer_ & ((1u << count) - 1));
        Drop(count);
        return true;
    }

    // The next count bits, padded with zeros past the end.
    std::uint32_t Peek(int count)
    {
        Fill(count);
        return static_cast<std::uint32_t>(buffer_ & ((1u << count) - 1));
    }

    bool Skip(int count)
    {
        if (count > bits_) return false;
        Drop(count);
        return true;
    }

    void AlignToByte() { Drop(bits_ % 8); }

private:
    // Tops the buffer up to whole bytes while it has room, so that most reads take no bytes.
    bool Fill(int count)
    {
        if (bits_ >= count) return true;
        while (bits_ <= 56 && position_ < bytes_.size()) {
            buffer_ |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(bytes_[position_++])) << bits_;
            bits_ += 8;
        }
        return bits_ >= count;
    }
    void Drop(int count)
    {
        buffer_ >>= count;
        bits_ -= count;
    }

    std::string_view bytes_;
    std::size_t position_ = 0;
    std::uint64_t buffer_ = 0;
    int bits_ = 0;
};

// A canonical Huffman code, decoded through one table indexed by as many of
// the next bits as its longest code has.
class HuffmanCode {
public:
    // From the code length of each symbol; false for lengths that overfill the code.
    bool Build(const std::uint8_t* lengths, int symbols)
    {
        std::array<int, kLongestCode + 1> counts{};
        for (int symbol = 0; symbol < symbols; ++symbol) ++counts[lengths[symbol]];
        counts[0] = 0;
        int left = 1;
        for (int length = 1; length <= kLongestCode; ++length) {
            left = 2 * left - counts[static_cast<std::size_t>(length)];
            if (left < 0) return false;
        }
        longest_ = 0;
        for (int length = 1; length <= kLongestCode; ++length)
            if (counts[static_cast<std::size_t>(length)] > 0) longest_ = length;
        std::array<std::uint32_t, kLongestCode + 1> next{};
        std::uint32_t code = 0;
        for (int length = 1; length <= kLongestCode; ++length) {
            code = (code + static_cast<std::uint32_t>(counts[static_cast<std::size_t>(length) - 1])) << 1;
            next[static_cast<std::size_t>(length)] = code;
        }
        table_.assign(std::size_t{1} << longest_, Entry{});
        for (int symbol = 0; symbol < symbols; ++symbol) {
            const int length = lengths[symbol];
            if (length == 0) continue;
            // Codes are sent first bit first, so the table is indexed by the reversed code.
            const std::uint32_t value = next[static_cast<std::size_t>(length)]++;
            std::uint32_t reversed = 0;
            for (int bit = 0; bit < length; ++bit) reversed |= ((value >> bit) & 1u) << (length - 1 - bit);
            for (std::size_t index = reversed; index < table_.size(); index += std::size_t{1} << length)
                table_[index] = {static_cast<std::uint16_t>(symbol), static_cast<std::uint8_t>(length)};
        }
        return true;
    }

    bool Decode(BitReader& bits, int& symbol) const
    {
        const Entry entry = table_[bits.Peek(longest_)];
        if (entry.length == 0 || !bits.Skip(entry.length)) return false;
        symbol = entry.symbol;
        return true;
    }

private:
    struct Entry {
        std::uint16_t symbol = 0;
        std::uint8_t length = 0;  // 0: no code starts with these bits
    };
    std::vector<Entry> table_;
    int longest_ = 0;
};

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                       31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                         33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                         1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr int kEndOfBlock = 256;

// The inflated bytes, written into room made for all of them at once.
struct Output {
    std::vector<std::uint8_t> bytes;
    std::size_t written = 0;

    std::size_t Room() const { return bytes.size() - written; }
};

// The symbols of one compressed block, added to out; false for anything that
// breaks the format or would not fit.
bool InflateBlock(BitReader& bits, const HuffmanCode& literals, const HuffmanCode& distances, Output& out)
{
    for (;;) {
        int symbol = 0;
        if (!literals.Decode(bits, symbol)) return false;
        if (symbol < kEndOfBlock) {
            if (out.Room() == 0) return false;
            out.bytes[out.written++] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        if (symbol == kEndOfBlock) return true;
        const auto lengthIndex = static_cast<std::size_t>(symbol - kEndOfBlock - 1);
        std::uint32_t extra = 0;
        if (lengthIndex >= kLengthBase.size() || !bits.Read(kLengthExtra[lengthIndex], extra)) return false;
        const std::size_t length = kLengthBase[lengthIndex] + extra;
        int distanceSymbol = 0;
        if (!distances.Decode(bits, distanceSymbol)) return false;
        const auto distanceIndex = static_cast<std::size_t>(distanceSymbol);
        if (distanceIndex >= kDistanceBase.size() || !bits.Read(kDistanceExtra[distanceIndex], extra)) return false;
        const std::size_t distance = kDistanceBase[distanceIndex] + extra;
        if (distance > out.written || length > out.Room()) return false;
        // Byte by byte: the copy may overlap what it writes, a short run repeated.
        std::uint8_t* to = out.bytes.data() + out.written;
        const std::uint8_t* from = to - distance;
        for (std::size_t i = 0; i < length; ++i) to[i] = from[i];
        out.written += length;
    }
}

bool ReadStoredBlock(BitReader& bits, Output& out)
{
    bits.AlignToByte();
    std::uint32_t length = 0, complement = 0;
    if (!bits.Read(16, length) || !bits.Read(16, complement) || (length ^ 0xFFFFu) != complement) return false;
    if (length > out.Room()) return false;
    for (std::uint32_t i = 0; i < length; ++i) {
        std::uint32_t byte = 0;
        if (!bits.Read(8, byte)) return false;
        out.bytes[out.written++] = static_cast<std::uint8_t>(byte);
    }
    return true;
}

bool BuildFixedCodes(HuffmanCode& literals, HuffmanCode& distances)
{
    std::array<std::uint8_t, 288> lengths{};
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol)
        lengths[symbol] = symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
    std::array<std::uint8_t, 30> distanceLengths{};
    distanceLengths.fill(5);
    return literals.Build(lengths.data(), 288) && distances.Build(distanceLengths.data(), 30);
}

bool ReadDynamicCodes(BitReader& bits, HuffmanCode& literals, HuffmanCode& distances)
{
    std::uint32_t literalCount = 0, distanceCount = 0, lengthCodeCount = 0;
    if (!bits.Read(5, literalCount) || !bits.Read(5, distanceCount) || !bits.Read(4, lengthCodeCount)) return false;
    literalCount += 257;
    distanceCount += 1;
    lengthCodeCount += 4;
    if (literalCount > 286 || distanceCount > 30) return false;

    static constexpr std::array<std::uint8_t, 19> kOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                            11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::array<std::uint8_t, 19> lengthCodeLengths{};
    for (std::uint32_t i = 0; i < lengthCodeCount; ++i) {
        std::uint32_t length = 0;
        if (!bits.Read(3, length)) return false;
        lengthCodeLengths[kOrder[i]] = static_cast<std::uint8_t>(length);
    }
    HuffmanCode lengthCode;
    if (!lengthCode.Build(lengthCodeLengths.data(), 19)) return false;

    std::array<std::uint8_t, 286 + 30> lengths{};
    const std::uint32_t total = literalCount + distanceCount;
    for (std::uint32_t filled = 0; filled < total;) {
        int symbol = 0;
        if (!lengthCode.Decode(bits, symbol)) return false;
        if (symbol < 16) {
            lengths[filled++] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        std::uint8_t repeated = 0;
        std::uint32_t times = 0;
        if (symbol == 16) {
            if (filled == 0 || !bits.Read(2, times)) return false;
            repeated = lengths[filled - 1];
            times += 3;
        } else if (symbol == 17) {
            if (!bits.Read(3, times)) return false;
            times += 3;
        } else {
            if (!bits.Read(7, times)) return false;
            times += 11;
        }
        if (times > total - filled) return false;
        for (std::uint32_t i = 0; i < times; ++i) lengths[filled++] = repeated;
    }
    if (lengths[kEndOfBlock] == 0) return false;  // a block that could never end
    return literals.Build(lengths.data(), static_cast<int>(literalCount)) &&
           distances.Build(lengths.data() + literalCount, static_cast<int>(distanceCount));
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& bytes)
{
    constexpr std::uint32_t kModulus = 65521;
    constexpr std::size_t kRun = 5552;  // the longest run whose sums cannot overflow
    std::uint32_t a = 1, b = 0;
    for (std::size_t start = 0; start < bytes.size(); start += kRun) {
        const std::size_t end = std::min(bytes.size(), start + kRun);
        for (std::size_t i = start; i < end; ++i) {
            a += bytes[i];
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
    }
    return b << 16 | a;
}

// A zlib stream inflated to exactly size bytes, its checksum matched.
std::optional<std::vector<std::uint8_t>> Inflate(std::string_view stream, std::size_t size)
{
    if (stream.size() < 2) return std::nullopt;
    const auto method = static_cast<std::uint8_t>(stream[0]);
    const auto flags = static_cast<std::uint8_t>(stream[1]);
    if ((method & 0x0F) != 8 || (method >> 4) > 7 || (method * 256 + flags) % 31 != 0 || (flags & 0x20) != 0)
        return std::nullopt;
    // No deflate stream grows more than 1032 times: a smaller one cannot hold the picture.
    if (size / 1032 > stream.size()) return std::nullopt;
    BitReader bits(stream.substr(2));
    Output out{std::vector<std::uint8_t>(size)};
    HuffmanCode literals, distances;
    for (std::uint32_t last = 0; last == 0;) {
        std::uint32_t type = 0;
        if (!bits.Read(1, last) || !bits.Read(2, type)) return std::nullopt;
        bool read = false;
        if (type == 0) read = ReadStoredBlock(bits, out);
        else if (type == 1) read = BuildFixedCodes(literals, distances) && InflateBlock(bits, literals, distances, out);
        else if (type == 2)
            read = ReadDynamicCodes(bits, literals, distances) && InflateBlock(bits, literals, distances, out);
        if (!read) return std::nullopt;
    }
    bits.AlignToByte();
    std::uint32_t checksum = 0;
    for (int i = 0; i < 4; ++i) {
        std::uint32_t byte = 0;
        if (!bits.Read(8, byte)) return std::nullopt;
        checksum = checksum << 8 | byte;
    }
    if (out.written != size || checksum != Adler32(out.bytes)) return std::nullopt;
    return std::move(out.bytes);
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
