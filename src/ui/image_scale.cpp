#include "ui/image_scale.h"

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

std::uint32_t Blend(const std::vector<std::uint32_t>& pixels, const Span& span, int origin, int stride)
{
    double sums[4] = {};
    for (std::size_t k = 0; k < span.weights.size(); ++k) {
        const std::uint32_t pixel =
            pixels[static_cast<std::size_t>(origin + (span.first + static_cast<int>(k)) * stride)];
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
    // Across first, then down.
    const std::vector<Span> across = Spans(width, newWidth);
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < newWidth; ++x)
            rows[static_cast<std::size_t>(y * newWidth + x)] = Blend(pixels, across[static_cast<std::size_t>(x)],
                                                                     y * width, 1);
    const std::vector<Span> down = Spans(height, newHeight);
    std::vector<std::uint32_t> scaled(static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight));
    for (int y = 0; y < newHeight; ++y)
        for (int x = 0; x < newWidth; ++x)
            scaled[static_cast<std::size_t>(y * newWidth + x)] = Blend(rows, down[static_cast<std::size_t>(y)], x,
                                                                       newWidth);
    return scaled;
}
