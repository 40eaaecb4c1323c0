#include "display/mode_list.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace {

// Palette modes cannot show the game at all.
constexpr int kLowestUsableDepth = 9;
// Narrow modes are not offered: the fixed "800*600" entry covers the small screens.
constexpr int kNarrowestOfferedWidth = 1001;
// The windowed entry and "800*600" keep their places ahead of the sorted modes.
constexpr std::size_t kFixedEntries = 2;

bool IsOffered(const ScreenMode& mode)
{
    return mode.depth >= kLowestUsableDepth && mode.width >= kNarrowestOfferedWidth;
}

}  // namespace

std::vector<ScanGroup> ScanGroups(unsigned x1r5g5b5Count, unsigned r5g6b5Count, unsigned x8r8g8b8Count)
{
    // Adapters that have both 16-bit layouts report the same sizes twice; one is enough.
    const ScanGroup sixteenBit = x1r5g5b5Count > 0 ? ScanGroup{ScanFormat::X1R5G5B5, x1r5g5b5Count, 16}
                                                   : ScanGroup{ScanFormat::R5G6B5, r5g6b5Count, 16};
    return {sixteenBit, ScanGroup{ScanFormat::X8R8G8B8, x8r8g8b8Count, 32}};
}

std::string ModeText(std::int32_t width, std::int32_t height)
{
    return std::to_string(width) + "*" + std::to_string(height);
}

std::vector<std::string> BuildModeTexts(const std::string& windowEntry, const std::vector<ScreenMode>& modes)
{
    std::vector<std::string> texts{windowEntry, "800*600"};
    for (const ScreenMode& mode : modes) {
        if (texts.size() >= kModeListCapacity) break;
        if (!IsOffered(mode)) continue;
        texts.push_back(ModeText(mode.width, mode.height));
    }
    // std::string compares through char_traits<char>, which orders bytes as
    // unsigned values: text order, so "1280*1024" comes before "1280*720".
    std::sort(texts.begin() + kFixedEntries, texts.end());
    return texts;
}

std::vector<std::string> DistinctModeTexts(const std::vector<std::string>& texts)
{
    std::vector<std::string> distinct;
    std::unordered_set<std::string> seen;
    for (const std::string& text : texts) {
        if (seen.insert(text).second) distinct.push_back(text);
    }
    return distinct;
}

std::int32_t LeadingNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min(value, kLimit - 1));
}

std::pair<std::int32_t, std::int32_t> SplitModeText(const std::string& text)
{
    const std::size_t star = text.find('*');
    const std::string width = star == std::string::npos ? std::string() : text.substr(0, star);
    const std::string separator = width + "*";
    std::string rest;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, separator.size(), separator) == 0) {
            i += separator.size();
            continue;
        }
        rest.push_back(text[i++]);
    }
    return {LeadingNumber(width), LeadingNumber(rest)};
}
