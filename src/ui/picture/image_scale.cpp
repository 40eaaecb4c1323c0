#include "ui/picture/image_scale.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace {

// Integers alone: every processor the game ran on draws the same pixels, the
// x87 ones without SSE2 as fast as any, and each one is the exact mean of the
// area it covers, rounded half up.

// Positions along a line are counted in 1/newLength of a source sample, so
// that every border between old and new samples falls on a whole number: new
// sample i covers [i * length, (i + 1) * length), source sample s
// [s * newLength, (s + 1) * newLength). A source sample's weight is the part
// it shares with the new one, and a span's weights add up to length.
struct Span {
    int first = 0;            // the first source sample the new one covers
    int count = 0;            // how many it covers
    std::size_t weights = 0;  // where their weights start in Spans::weights
};

// Dividing a sum of weighted bytes by length, rounded half up, without a
// division per pixel: floor(n / d) is (n * multiplier) >> shift for every n
// up to largest when 2^shift <= multiplier * d <= 2^shift + 2^(shift - bits of
// largest) (Granlund and Montgomery, "Division by invariant integers using
// multiplication").
struct Divider {
    std::uint32_t divisor = 1, multiplier = 1;
    int shift = 0;

    Divider(std::uint32_t d, std::uint32_t largest) : divisor(d)
    {
        shift = static_cast<int>(std::bit_width(largest) + std::bit_width(d));
        multiplier = static_cast<std::uint32_t>((std::uint64_t{1} << shift) / d + 1);
    }
    // (2 * sum + length) / (2 * length), the mean rounded half up.
    std::uint32_t RoundedMean(std::uint32_t sum) const
    {
        const std::uint32_t n = 2 * sum + divisor / 2;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(n) * multiplier) >> shift);
    }
};

struct Spans {
    std::vector<Span> spans;
    std::vector<std::uint32_t> weights;
    Divider mean;
};

// For each of newLength samples, the source samples it covers and by how much.
Spans SpansOf(int length, int newLength)
{
    const auto units = static_cast<std::uint32_t>(length);
    Spans result{{}, {}, Divider(2 * units, 2 * 255 * units + units)};
    result.spans.resize(static_cast<std::size_t>(newLength));
    const std::int64_t oldUnits = newLength;
    for (int i = 0; i < newLength; ++i) {
        const std::int64_t begin = std::int64_t{i} * length;
        const std::int64_t end = begin + length;
        Span& span = result.spans[static_cast<std::size_t>(i)];
        span.first = static_cast<int>(begin / oldUnits);
        span.weights = result.weights.size();
        for (std::int64_t s = span.first; s < length && s * oldUnits < end; ++s, ++span.count)
            result.weights.push_back(
                static_cast<std::uint32_t>(std::min((s + 1) * oldUnits, end) - std::max(s * oldUnits, begin)));
    }
    return result;
}

// One new pixel from the samples of a span along a line of the picture: the
// span's first sample is at line[0], the next ones stride apart. Each sum is
// at most 255 times length.
std::uint32_t Blend(const std::uint32_t* line, const Spans& spans, const Span& span, std::size_t stride)
{
    const std::uint32_t* weights = &spans.weights[span.weights];
    std::uint32_t sum0 = 0, sum1 = 0, sum2 = 0, sum3 = 0;
    for (int k = 0; k < span.count; ++k, line += stride) {
        const std::uint32_t pixel = *line;
        const std::uint32_t weight = weights[k];
        sum0 += weight * (pixel & 0xFF);
        sum1 += weight * ((pixel >> 8) & 0xFF);
        sum2 += weight * ((pixel >> 16) & 0xFF);
        sum3 += weight * (pixel >> 24);
    }
    const Divider& mean = spans.mean;
    return mean.RoundedMean(sum0) | mean.RoundedMean(sum1) << 8 | mean.RoundedMean(sum2) << 16 |
           mean.RoundedMean(sum3) << 24;
}

}  // namespace

std::vector<std::uint32_t> ScaleByArea(const std::vector<std::uint32_t>& pixels, int width, int height, int newWidth,
                                       int newHeight)
{
    if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 || width > kLongestLine || height > kLongestLine ||
        newWidth > kLongestLine || newHeight > kLongestLine ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    // Pixel positions are counted in std::size_t: a row times a width may not fit an int.
    const auto sourceWidth = static_cast<std::size_t>(width);
    const auto sourceHeight = static_cast<std::size_t>(height);
    const auto targetWidth = static_cast<std::size_t>(newWidth);
    const auto targetHeight = static_cast<std::size_t>(newHeight);
    // Across first, then down.
    const Spans across = SpansOf(width, newWidth);
    std::vector<std::uint32_t> rows(targetWidth * sourceHeight);
    for (std::size_t y = 0; y < sourceHeight; ++y)
        for (std::size_t x = 0; x < targetWidth; ++x) {
            const Span& span = across.spans[x];
            rows[y * targetWidth + x] = Blend(&pixels[y * sourceWidth + static_cast<std::size_t>(span.first)], across,
                                              span, 1);
        }
    const Spans down = SpansOf(height, newHeight);
    std::vector<std::uint32_t> scaled(targetWidth * targetHeight);
    for (std::size_t y = 0; y < targetHeight; ++y) {
        const Span& span = down.spans[y];
        for (std::size_t x = 0; x < targetWidth; ++x)
            scaled[y * targetWidth + x] = Blend(&rows[static_cast<std::size_t>(span.first) * targetWidth + x], down,
                                                span, targetWidth);
    }
    return scaled;
}
