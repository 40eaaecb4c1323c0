#include "settings/item_choice.h"

#include <algorithm>

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
