#include "resources/rules_list.h"

#include <windows.h>

#include <vector>

#include "app/platform/handles.h"
#include "app/process_values.h"
#include "log/event_log.h"
#include "resources/rules_name.h"
#include "settings/item_choice.h"
#include "settings/registry_store.h"
#include "ui/main_window/main_window.h"
#include "ui/toolkit/controls.h"

namespace {

// The folders directly inside folder, in the order the file system lists
// them; false when the folder cannot be listed.
bool ListSubfolders(const std::string& folder, std::vector<std::string>& names)
{
    const std::string pattern = folder + (folder.empty() || folder.back() != '\\' ? "\\" : "") + "*.*";
    WIN32_FIND_DATAA entry;
    const FolderListing listing(FindFirstFileA(pattern.c_str(), &entry));
    if (!listing.IsOpen()) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::string name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(listing.Get(), &entry));
    return true;
}

const RulesFamily& ShownFamily()
{
    return RulesFamilyFor(IsChecked(MainControl(kKervBasedRules)));
}

}  // namespace

void RefreshRulesList()
{
    const RulesFamily& family = ShownFamily();
    const std::string folder = GameRoot + family.folder;
    const std::string current = CurrentRulesName(ReadText(HKEY_CURRENT_USER, KeyPath(family.subKey), "Resources Name"),
                                                 family.prefix);

    HWND box = MainControl(kRulesBox);
    RemoveAllItems(box);
    std::vector<std::string> names;
    if (!ListSubfolders(folder, names)) LogEvent("Can't create mo lists for directory: " + folder + "!");
    for (const std::string& name : names) AddItem(box, name, TextOrigin::System);

    SelectItem(box, ChooseItemByName(ItemTexts(box), current, 0));
}

void StoreRulesChoice()
{
    const RulesFamily& family = ShownFamily();
    WriteText(HKEY_CURRENT_USER, KeyPath(family.subKey), "Resources Name",
              StoredRulesName(family, SelectedItemText(MainControl(kRulesBox))));
}
