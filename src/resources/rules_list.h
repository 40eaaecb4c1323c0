#pragma once
// The rules box: the rules folders of the family that "Kerv Based rules"
// chooses, with the stored one selected; and storing the choice.

void RefreshRulesList();
void StoreRulesChoice();
