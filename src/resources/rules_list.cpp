#include "resources/rules_list.h"

#include <windows.h>

#include <vector>

#include "app/process_values.h"
#include "log/event_log.h"
#include "resources/rules_name.h"
#include "settings/catalogue.h"
#include "settings/registry_store.h"
#include "ui/main_window.h"

namespace {

constexpr int kRulesBox = 35;
constexpr int kKervaneBased = 13;

// The folders directly inside folder, in the order the file system lists
// them; false when the folder cannot be listed.
bool ListSubfolders(const std::string& folder, std::vector<std::string>& names)
{
    const std::string pattern = folder + (folder.empty() || folder.back() != '\\' ? "\\" : "") + "*.*";
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(pattern.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::string name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return true;
}

}  // namespace

void RefreshRulesList()
{
    const RulesFamily& family = RulesFamilyFor(IsChecked(kKervaneBased));
    const std::string folder = GameRoot + family.folder;
    const std::string current = CurrentRulesName(ReadText(HKEY_CURRENT_USER, family.keyPath, "Resources Name"),
                                                 family.prefix);

    RemoveAllItems(kRulesBox);
    std::vector<std::string> names;
    if (!ListSubfolders(folder, names)) LogEvent("Can't create mo lists for directory: " + folder + "!");
    for (const std::string& name : names) AddItem(kRulesBox, name, TextOrigin::System);

    SelectItem(kRulesBox, ChooseItemByName(ItemTexts(kRulesBox), current, 0));
}

void StoreRulesChoice()
{
    const RulesFamily& family = RulesFamilyFor(IsChecked(kKervaneBased));
    WriteText(HKEY_CURRENT_USER, family.keyPath, "Resources Name",
              StoredRulesName(family, SelectedItemText(kRulesBox)));
}
