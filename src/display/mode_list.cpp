#include "display/mode_list.h"

#include <algorithm>
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

std::string ModeText(int width, int height)
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
