#pragma once
// The rules box (control 35): the rules folders of the family that check box
// 13 shows, with the stored one selected; and storing the choice.

void RefreshRulesList();
void StoreRulesChoice();
