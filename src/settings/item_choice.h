#pragma once
// Which item of a choice box a stored name selects: the rules folder the game
// keeps in "Resources Name", the resolution it keeps as width and height.

#include <string>
#include <vector>

// An item equal to the name wins; otherwise the last item (from firstIndex
// on) that contains it, as the game's old editor chose. -1 when none does or
// the name is empty.
int ChooseItemByName(const std::vector<std::string>& items, const std::string& name, int firstIndex);
