#include "settings/catalogue.h"

#include <algorithm>
#include <limits>

namespace {

using enum SubKey;
using enum ValueKind;
using enum Conversion;

const std::vector<SettingEntry> kCatalogue = {
    {1, Sound, "Sound Effects Enabled", Number, 0, CheckBox, 1},
    {2, Sound, "Music Enabled", Number, 1, CheckBox, 2},
    {3, Sound, "Use DirectSound", Number, 2, CheckBox, 3},
    {4, Sound, "Selection Sounds Enabled", Number, 3, CheckBox, 4},
    {5, Sound, "Movement Sounds Enabled", Number, 4, CheckBox, 5},
    {6, Sound, "Ambient Sounds Enabled", Number, 5, CheckBox, 6},
    {7, Sound, "Dynamic Music Enabled", Number, 6, CheckBox, 7},
    {8, General, "Show Intro", Number, 7, CheckBox, 10},
    {9, Video, "Allow Resolution Switches", Number, 8, CheckBox, 9},
    {10, Video, "Use Direct3D", Number, 9, CheckBox, 8},
    {11, General, "Blood", Number, 10, CheckBox, 11},
    {12, General, "Autosave Before TC", Number, 11, CheckBox, 12},
    {13, General, "Custom Resources", Number, 12, CheckBox, 13},
    {14, Kerv, "Custom Resources", Number, 13, CheckBox, 14},
    {15, Workspace, "Detail Level", Number, 32, Choice, 16},
    {16, Video, "Cursor Mode", Number, 33, Choice, 17},
    {17, General, "Language", Number, 34, Choice, 18},
    {18, Video, "Display Mode", Number, 30, DisplayMode, 15},
    {19, General, "Root Directory", Text, -1, RootDirectory, 0},
    {20, General, "Resources Name", Text, 35, RulesList, 19},
    {21, Email, "Local Email address", Text, 51, Edit, 20},
    {22, Email, "SMTP Server", Text, 53, Edit, 21},
    {23, Email, "Attachment Directory", Text, 55, FolderEdit, 22},
    {24, General, "Auto Save", Number, 14, CheckBox, 23},
    {25, General, "Auto Move", Number, 15, CheckBox, 24},
    {26, Workspace, "View Panning", Number, 16, CheckBox, 25},
    {27, Workspace, "Center On Event", Number, 17, CheckBox, 26},
    {28, Workspace, "Scroll Speed", Number, 36, Choice, 27},
    {29, General, "Movement Speed", Byte, 37, ByteChoice, 28},
    {30, General, "Default Play Mode", Number, 38, Choice, 29},
    {31, General, "Combat Resolve Mode", Byte, 39, ByteChoice, 30},
    {32, Sound, "Custom Play List Enabled", Number, 19, CheckBox, 31},
    {33, NoKey, "", NoValue, 18, ImageSet, 32},
};

}  // namespace

std::string KeyPath(SubKey subKey)
{
    const std::string base = std::string(kGameKey) + "\\";
    switch (subKey) {
    case Video: return base + "Video";
    case Sound: return base + "Sound";
    case General: return base + "General";
    case Workspace: return base + "Workspace";
    case Email: return base + "Email";
    case Kerv: return base + "Kerv ++  ";  // the two blanks belong to the game's key name
    case NoKey: break;
    }
    return {};
}

const std::vector<SettingEntry>& SettingsCatalogue()
{
    return kCatalogue;
}

std::vector<SettingEntry> ApplyOrder()
{
    std::vector<SettingEntry> written;
    std::copy_if(kCatalogue.begin(), kCatalogue.end(), std::back_inserter(written),
                 [](const SettingEntry& entry) { return entry.applyOrder > 0; });
    std::sort(written.begin(), written.end(),
              [](const SettingEntry& a, const SettingEntry& b) { return a.applyOrder < b.applyOrder; });
    return written;
}

std::string GameRootFrom(const std::string& rootDirectory)
{
    if (!rootDirectory.empty() && rootDirectory.back() == '\\') return rootDirectory;
    return rootDirectory + "\\";
}

std::string FolderWithBackslash(const std::string& folder)
{
    return folder.empty() ? folder : GameRootFrom(folder);
}

std::string StoredModeText(std::int32_t width, std::int32_t height)
{
    return std::to_string(width) + "*" + std::to_string(height);
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

int ChooseItemByName(const std::vector<std::string>& items, const std::string& name, int firstIndex)
{
    if (name.empty()) return -1;
    int containing = -1;
    for (int i = std::max(firstIndex, 0); i < static_cast<int>(items.size()); ++i) {
        if (items[i] == name) return i;
        if (items[i].find(name) != std::string::npos) containing = i;
    }
    return containing;
}
