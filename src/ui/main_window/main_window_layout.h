#pragma once
// The main window as the game's settings editor has always laid it out: each
// control's number, kind and place in pixels at 96 DPI, and its caption's
// fallback, in creation order; the items of the choice boxes; and the order
// the tooltips are attached in.

#include <map>
#include <vector>

#include "ui/control_ids.h"

enum class ControlKind { Frame, PushButton, CheckBox, Label, DropDown, EditField };

struct ControlLayout {
    ControlId id;
    ControlKind kind;
    int x, y, width, height;
    const char* fallback;  // caption fallback; the caption key is the id in decimal
};

// Frames and the two buttons come first: the buttons get the bold font.
inline constexpr ControlLayout kFrames[] = {
    {kVideoFrame, ControlKind::Frame, 310, 177, 296, 200, "Video"},
    {kSoundFrame, ControlKind::Frame, 310, 382, 296, 125, "Sound"},
    {kGeneralFrame, ControlKind::Frame, 8, 177, 295, 280, "General"},
    {kEmailFrame, ControlKind::Frame, 8, 457, 295, 90, "E-mail game"},
};

inline constexpr ControlLayout kButtons[] = {
    {kOk, ControlKind::PushButton, 330, 515, 125, 30, "OK"},
    {kCancel, ControlKind::PushButton, 460, 515, 125, 30, "Cancel"},
};

inline constexpr ControlLayout kControls[] = {
    {kSoundFx, ControlKind::CheckBox, 320, 405, 100, 20, "Sound FX"},
    {kMusic, ControlKind::CheckBox, 320, 455, 100, 20, "Music"},
    {kDirectSound, ControlKind::CheckBox, 320, 430, 100, 20, "Direct Sound"},
    {kUsePlaylist, ControlKind::CheckBox, 320, 480, 120, 20, "Use playlist"},
    {kSelectionSounds, ControlKind::CheckBox, 460, 405, 100, 20, "Selection Sounds"},
    {kMovementSounds, ControlKind::CheckBox, 460, 430, 100, 20, "Movement Sounds"},
    {kAmbientSounds, ControlKind::CheckBox, 460, 455, 100, 20, "Ambient Sounds"},
    {kEventSounds, ControlKind::CheckBox, 460, 480, 100, 20, "Event Sounds"},
    {kDisplayModeLabel, ControlKind::Label, 320, 200, 80, 20, "Display mode:"},
    {kDisplayModeBox, ControlKind::DropDown, 400, 195, 200, 20, nullptr},
    {kAdapterLabel, ControlKind::Label, 320, 225, 80, 20, "Adapter:"},
    {kAdapterBox, ControlKind::DropDown, 400, 220, 200, 20, nullptr},
    {kDisplayLevelLabel, ControlKind::Label, 320, 250, 80, 20, "Display level:"},
    {kDisplayLevelBox, ControlKind::DropDown, 400, 245, 200, 20, nullptr},
    {kCursorsLabel, ControlKind::Label, 320, 275, 80, 20, "Cursors:"},
    {kCursorsBox, ControlKind::DropDown, 400, 270, 200, 20, nullptr},
    {kShowIntro, ControlKind::CheckBox, 320, 300, 130, 20, "Show Intro"},
    {kAllowResolutionSwitches, ControlKind::CheckBox, 320, 325, 200, 20, "Allow Resolution Switches"},
    {kUseDirect3D, ControlKind::CheckBox, 320, 350, 200, 20, "Use Direct3D"},
    {kViewPanning, ControlKind::CheckBox, 460, 300, 200, 20, "View panning"},
    {kLanguageLabel, ControlKind::Label, 17, 200, 50, 20, "Language:"},
    {kLanguageBox, ControlKind::DropDown, 110, 195, 180, 20, nullptr},
    {kBlood, ControlKind::CheckBox, 17, 220, 120, 20, "Blood"},
    {kAutosaveBeforeTc, ControlKind::CheckBox, 160, 300, 120, 20, "Autosave before TC"},
    {kAllowCustomRules, ControlKind::CheckBox, 17, 245, 120, 20, "Allow custom rules"},
    {kKervBasedRules, ControlKind::CheckBox, 160, 245, 120, 20, "Kerv Based rules"},
    {kRulesLabel, ControlKind::Label, 17, 275, 50, 20, "Rules:"},
    {kRulesBox, ControlKind::DropDown, 110, 270, 180, 20, nullptr},
    {kAutosave, ControlKind::CheckBox, 17, 300, 120, 20, "Autosave"},
    {kAutomove, ControlKind::CheckBox, 17, 325, 120, 20, "Automove"},
    {kCenterOnEvent, ControlKind::CheckBox, 160, 220, 120, 20, "Center on event"},
    {kViewBounds, ControlKind::CheckBox, 160, 325, 140, 20, "View bounds"},
    {kScrollSpeedLabel, ControlKind::Label, 17, 353, 80, 20, "Scroll speed:"},
    {kScrollSpeedBox, ControlKind::DropDown, 110, 350, 180, 20, nullptr},
    {kMovementSpeedLabel, ControlKind::Label, 17, 378, 80, 20, "Movem.speed:"},
    {kMovementSpeedBox, ControlKind::DropDown, 110, 375, 180, 20, nullptr},
    {kGameTypeLabel, ControlKind::Label, 17, 403, 80, 20, "Game type:"},
    {kGameTypeBox, ControlKind::DropDown, 110, 400, 180, 20, nullptr},
    {kCombatTypeLabel, ControlKind::Label, 17, 428, 80, 20, "Combat type:"},
    {kCombatTypeBox, ControlKind::DropDown, 110, 425, 180, 20, nullptr},
    {kEmailLabel, ControlKind::Label, 17, 473, 80, 20, "E-Mal:"},
    {kEmailField, ControlKind::EditField, 110, 470, 180, 20, nullptr},
    {kSmtpLabel, ControlKind::Label, 17, 498, 80, 20, "SMTP:"},
    {kSmtpField, ControlKind::EditField, 110, 495, 180, 20, nullptr},
    {kFolderLabel, ControlKind::Label, 17, 523, 80, 20, "Folder:"},
    {kFolderField, ControlKind::EditField, 110, 520, 180, 20, nullptr},
};

// clang-format off
inline constexpr ControlId kTooltipOrder[] = {
    kOk, kCancel,
    kSoundFx, kMusic, kDirectSound, kSelectionSounds, kMovementSounds, kAmbientSounds, kEventSounds,
    kDisplayModeBox, kAdapterBox, kDisplayLevelBox, kCursorsBox, kShowIntro, kAllowResolutionSwitches, kUseDirect3D,
    kLanguageBox, kRulesBox, kBlood, kAutosaveBeforeTc, kAllowCustomRules, kKervBasedRules, kAutosave, kAutomove,
    kViewPanning, kCenterOnEvent, kViewBounds, kUsePlaylist,
    kScrollSpeedBox, kMovementSpeedBox, kGameTypeBox, kCombatTypeBox,
    kEmailField, kSmtpField, kFolderField,
};
// clang-format on

// The controls the editor may switch off: the rules group's two until "Allow
// custom rules" is ticked, the adapter box always, "View bounds" when the
// image libraries cannot be switched. Their tips show over them even then.
inline constexpr ControlId kSwitchedOffAtStart[] = {kKervBasedRules, kAdapterBox, kRulesBox};
inline constexpr ControlId kMayBeSwitchedOff[] = {kKervBasedRules, kAdapterBox, kRulesBox, kViewBounds};

// The drop-down part of a choice box gets room below the closed box.
inline constexpr int kDropDownListHeight = 240;

// The items of each choice box but the display-mode box, which the adapter's
// modes fill: each item's dictionary key and fallback.
struct ListItem {
    const char* key;
    const char* fallback;
};

inline const std::map<ControlId, std::vector<ListItem>> kListItems = {
    {kAdapterBox, {{"31", "Default"}}},
    {kDisplayLevelBox, {{"32a", "Low"}, {"32b", "Medium"}, {"32c", "High"}}},
    {kCursorsBox, {{"33a", "Software"}, {"33b", "Black & White"}, {"33c", "Color"}}},
    {kLanguageBox,
     {{"34a", "Auto"},
      {"34b", "English"},
      {"34c", "German"},
      {"34d", "French"},
      {"34e", "Italian"},
      {"34f", "Polish"},
      {"34g", "Russian"},
      {"34h", "Chinese (Traditional)"},
      {"34j", "Chinese (Simplified)"},
      {"34k", "Japanese"},
      {"34l", "Korean"}}},
    {kRulesBox, {{"35", "Default"}}},
    {kScrollSpeedBox, {{"36a", "Slow"}, {"36b", "Normal"}, {"36c", "Fast"}}},
    {kMovementSpeedBox, {{"37a", "Slow"}, {"37b", "Normal"}, {"37c", "Fast"}}},
    {kGameTypeBox, {{"38a", "Synchron."}, {"38b", "Classic."}}},
    {kCombatTypeBox, {{"39a", "Choose"}, {"39b", "Avto"}, {"39d", "Personal"}}},
};
