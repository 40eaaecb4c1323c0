#pragma once
// How the stored "Resources Name" of a rules family turns into the folder
// name the rules box looks for, and back.

#include <string>

#include "settings/catalogue.h"

struct RulesFamily {
    const char* folder;  // under GameRoot
    SubKey subKey;       // where the family keeps its "Resources Name"
    const char* prefix;  // of the stored value
};

// "Kerv Based rules" ticked chooses the Kervane-based family, otherwise the game's own.
const RulesFamily& RulesFamilyFor(bool kervaneBased);

// The stored value with every occurrence of the prefix removed (exact case),
// then every backslash: "User\Resources\A\B\" gives "AB".
std::string CurrentRulesName(const std::string& stored, const std::string& prefix);

// What the family stores for a chosen folder: prefix, name, backslash.
std::string StoredRulesName(const RulesFamily& family, const std::string& folderName);
