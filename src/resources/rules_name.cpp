#include "resources/rules_name.h"

#include <algorithm>

const RulesFamily& RulesFamilyFor(bool kervaneBased)
{
    static const RulesFamily kKervane{"Kervane\\", SubKey::Kerv, "Kervane\\"};
    static const RulesFamily kCustom{"User\\Resources\\", SubKey::General, "User\\Resources\\"};
    return kervaneBased ? kKervane : kCustom;
}

std::string CurrentRulesName(const std::string& stored, const std::string& prefix)
{
    std::string name;
    for (std::size_t i = 0; i < stored.size();) {
        if (!prefix.empty() && stored.compare(i, prefix.size(), prefix) == 0) {
            i += prefix.size();
            continue;
        }
        name.push_back(stored[i++]);
    }
    name.erase(std::remove(name.begin(), name.end(), '\\'), name.end());
    return name;
}

std::string StoredRulesName(const RulesFamily& family, const std::string& folderName)
{
    return std::string(family.prefix) + folderName + "\\";
}
