#pragma once
// What the tests know of the game and of the program from outside, written
// here once and never taken from the program's own tables, so that a fault
// there shows: where the game keeps its settings, the windows' titles, and
// the number behind each control's name.

#include <algorithm>
#include <iterator>
#include <string>

#include "ui/control_ids.h"

// Below HKEY_CURRENT_USER: the game maker's key, and the game's own, which holds its settings.
inline const std::string kCompanyKey = "SOFTWARE\\Halcyra Studios";
inline const std::string kSettingsKey = kCompanyKey + "\\Vaelmoor Duskrune";

inline const std::wstring kMainWindowTitle = L"Vaelmoor: Kervane settings";
inline const std::wstring kPlaylistWindowTitle = L"Playlist:";

// The numbers are the dictionary's keys: a player's Setup.ini names a
// control's caption by its number ("104") and its tooltip by the number and
// "hlp" ("104hlp"). Player-made dictionaries rely on them, so no name may
// ever stand for another number. This is the one place the tests write them.
namespace control_numbers {
struct Pin {
    ControlId id;
    int number;
};
// clang-format off
inline constexpr Pin kPins[] = {
    {kSoundFx, 0}, {kMusic, 1}, {kDirectSound, 2}, {kSelectionSounds, 3}, {kMovementSounds, 4},
    {kAmbientSounds, 5}, {kEventSounds, 6}, {kShowIntro, 7}, {kAllowResolutionSwitches, 8}, {kUseDirect3D, 9},
    {kBlood, 10}, {kAutosaveBeforeTc, 11}, {kAllowCustomRules, 12}, {kKervBasedRules, 13}, {kAutosave, 14},
    {kAutomove, 15}, {kViewPanning, 16}, {kCenterOnEvent, 17}, {kViewBounds, 18}, {kUsePlaylist, 19},
    {kDisplayModeLabel, 20}, {kAdapterLabel, 21}, {kDisplayLevelLabel, 22}, {kCursorsLabel, 23},
    {kLanguageLabel, 24}, {kRulesLabel, 25}, {kScrollSpeedLabel, 26}, {kMovementSpeedLabel, 27},
    {kGameTypeLabel, 28}, {kCombatTypeLabel, 29}, {kDisplayModeBox, 30}, {kAdapterBox, 31},
    {kDisplayLevelBox, 32}, {kCursorsBox, 33}, {kLanguageBox, 34}, {kRulesBox, 35}, {kScrollSpeedBox, 36},
    {kMovementSpeedBox, 37}, {kGameTypeBox, 38}, {kCombatTypeBox, 39},
    {kEmailLabel, 50}, {kEmailField, 51}, {kSmtpLabel, 52}, {kSmtpField, 53}, {kFolderLabel, 54}, {kFolderField, 55},
    {kPlaylistTitle, 60}, {kPlaylistOk, 61}, {kPlaylistCancel, 62}, {kSongList, 63}, {kSongsLabel, 64},
    {kVideoFrame, 100}, {kSoundFrame, 101}, {kGeneralFrame, 102}, {kBanner, 103}, {kOk, 104}, {kCancel, 105},
    {kEmailFrame, 106},
};
// clang-format on
static_assert(std::all_of(std::begin(kPins), std::end(kPins), [](const Pin& pin) { return pin.id == pin.number; }),
              "a control's number is a dictionary key and never changes");
}  // namespace control_numbers
