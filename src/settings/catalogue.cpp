#include "settings/catalogue.h"

#include <algorithm>

namespace {

using enum SubKey;
using enum ValueKind;
using enum Conversion;

const std::vector<SettingEntry> kCatalogue = {
    {1, Sound, "Sound Effects Enabled", Number, kSoundFx, CheckBox, 1},
    {2, Sound, "Music Enabled", Number, kMusic, CheckBox, 2},
    {3, Sound, "Use DirectSound", Number, kDirectSound, CheckBox, 3},
    {4, Sound, "Selection Sounds Enabled", Number, kSelectionSounds, CheckBox, 4},
    {5, Sound, "Movement Sounds Enabled", Number, kMovementSounds, CheckBox, 5},
    {6, Sound, "Ambient Sounds Enabled", Number, kAmbientSounds, CheckBox, 6},
    {7, Sound, "Dynamic Music Enabled", Number, kEventSounds, CheckBox, 7},
    {8, General, "Show Intro", Number, kShowIntro, CheckBox, 10},
    {9, Video, "Allow Resolution Switches", Number, kAllowResolutionSwitches, CheckBox, 9},
    {10, Video, "Use Direct3D", Number, kUseDirect3D, CheckBox, 8},
    {11, General, "Blood", Number, kBlood, CheckBox, 11},
    {12, General, "Autosave Before TC", Number, kAutosaveBeforeTc, CheckBox, 12},
    {13, General, "Custom Resources", Number, kAllowCustomRules, CheckBox, 13},
    {14, Kerv, "Custom Resources", Number, kKervBasedRules, CheckBox, 14},
    {15, Workspace, "Detail Level", Number, kDisplayLevelBox, Choice, 16},
    {16, Video, "Cursor Mode", Number, kCursorsBox, Choice, 17},
    {17, General, "Language", Number, kLanguageBox, Choice, 18},
    {18, Video, "Display Mode", Number, kDisplayModeBox, DisplayMode, 15},
    {19, General, "Root Directory", Text, kNoControl, RootDirectory, 0},
    {20, General, "Resources Name", Text, kRulesBox, RulesList, 19},
    {21, Email, "Local Email address", Text, kEmailField, Edit, 20},
    {22, Email, "SMTP Server", Text, kSmtpField, Edit, 21},
    {23, Email, "Attachment Directory", Text, kFolderField, FolderEdit, 22},
    {24, General, "Auto Save", Number, kAutosave, CheckBox, 23},
    {25, General, "Auto Move", Number, kAutomove, CheckBox, 24},
    {26, Workspace, "View Panning", Number, kViewPanning, CheckBox, 25},
    {27, Workspace, "Center On Event", Number, kCenterOnEvent, CheckBox, 26},
    {28, Workspace, "Scroll Speed", Number, kScrollSpeedBox, Choice, 27},
    {29, General, "Movement Speed", Byte, kMovementSpeedBox, ByteChoice, 28},
    {30, General, "Default Play Mode", Number, kGameTypeBox, Choice, 29},
    {31, General, "Combat Resolve Mode", Byte, kCombatTypeBox, ByteChoice, 30},
    {32, Sound, "Custom Play List Enabled", Number, kUsePlaylist, CheckBox, 31},
    {33, NoKey, "", NoValue, kViewBounds, ImageSet, 32},
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
