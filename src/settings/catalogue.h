#pragma once
// The game's settings the editor shows and changes: one row per registry
// value (or file set), bound to one control of the main window, with its
// conversion and its place in the load and in the apply order.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/control_ids.h"

enum class SubKey { Video, Sound, General, Workspace, Email, Kerv, NoKey };
enum class ValueKind { Number, Byte, Text, NoValue };

enum class Conversion {
    CheckBox,       // nonzero checks the box; apply writes 1 or 0
    Choice,         // the 0-based item index; -1 without selection
    ByteChoice,     // as Choice, stored as one byte 0, 1 or 2
    Edit,           // the field's text
    FolderEdit,     // the field's text, ending in a backslash when not empty
    DisplayMode,    // "Display Mode", "Display Width", "Display Height"
    RootDirectory,  // sets GameRoot; never written
    RulesList,      // "Resources Name" of the family shown by check box 13
    ImageSet,       // the boundary image libraries, renamed on apply
};

struct SettingEntry {
    int loadOrder;
    SubKey subKey;
    const char* valueName;
    ValueKind kind;
    ControlId control;  // kNoControl when the entry has no control
    Conversion conversion;
    int applyOrder;  // 0 when never written
};

inline constexpr const char kGameKey[] = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";

// The full registry path of a sub-key under HKEY_CURRENT_USER.
std::string KeyPath(SubKey subKey);

// Every entry, in load order.
const std::vector<SettingEntry>& SettingsCatalogue();
// The written entries, in apply order.
std::vector<SettingEntry> ApplyOrder();

// The game root as the program uses it: always ending in a backslash.
std::string GameRootFrom(const std::string& rootDirectory);
// An edited folder: a final backslash is added unless the text is empty or has one.
std::string FolderWithBackslash(const std::string& folder);
