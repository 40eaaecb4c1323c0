#include "ui/picture/image_scale.h"

#include <algorithm>

namespace {

struct Span {
    int first = 0;
    std::vector<double> weights;  // of the source samples from first on; they sum to 1
};

// For each of newLength samples, the source samples it covers and by how much.
std::vector<Span> Spans(int length, int newLength)
{
    std::vector<Span> spans(static_cast<std::size_t>(newLength));
    const double step = static_cast<double>(length) / newLength;
    for (int i = 0; i < newLength; ++i) {
        const double begin = i * step;
        const double end = begin + step;
        Span& span = spans[static_cast<std::size_t>(i)];
        span.first = std::min(static_cast<int>(begin), length - 1);
        for (int s = span.first; s < length && s < end; ++s)
            span.weights.push_back((std::min<double>(s + 1, end) - std::max<double>(s, begin)) / step);
    }
    return spans;
}

// One new pixel from the samples of a span along a line of the picture: the
// line's first pixel is at origin, the next ones stride apart.
std::uint32_t Blend(const std::vector<std::uint32_t>& pixels, const Span& span, std::size_t origin, std::size_t stride)
{
    double sums[4] = {};
    for (std::size_t k = 0; k < span.weights.size(); ++k) {
        const std::uint32_t pixel = pixels[origin + (static_cast<std::size_t>(span.first) + k) * stride];
        for (int channel = 0; channel < 4; ++channel)
            sums[channel] += span.weights[k] * static_cast<double>((pixel >> (8 * channel)) & 0xFF);
    }
    std::uint32_t blended = 0;
    for (int channel = 0; channel < 4; ++channel)
        blended |= static_cast<std::uint32_t>(std::clamp(sums[channel] + 0.5, 0.0, 255.0)) << (8 * channel);
    return blended;
}

}  // namespace

std::vector<std::uint32_t> ScaleByArea(const std::vector<std::uint32_t>& pixels, int width, int height, int newWidth,
                                       int newHeight)
{
    if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    // Pixel positions are counted in std::size_t: a row times a width may not fit an int.
    const auto sourceWidth = static_cast<std::size_t>(width);
    const auto sourceHeight = static_cast<std::size_t>(height);
    const auto targetWidth = static_cast<std::size_t>(newWidth);
    const auto targetHeight = static_cast<std::size_t>(newHeight);
    // Across first, then down.
    const std::vector<Span> across = Spans(width, newWidth);
    std::vector<std::uint32_t> rows(targetWidth * sourceHeight);
    for (std::size_t y = 0; y < sourceHeight; ++y)
        for (std::size_t x = 0; x < targetWidth; ++x)
            rows[y * targetWidth + x] = Blend(pixels, across[x], y * sourceWidth, 1);
    const std::vector<Span> down = Spans(height, newHeight);
    std::vector<std::uint32_t> scaled(targetWidth * targetHeight);
    for (std::size_t y = 0; y < targetHeight; ++y)
        for (std::size_t x = 0; x < targetWidth; ++x)
            scaled[y * targetWidth + x] = Blend(rows, down[y], x, targetWidth);
    return scaled;
}
