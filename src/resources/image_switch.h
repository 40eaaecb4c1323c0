#pragma once
// The boundary image set: "Images\General.ilb" is the active library, and the
// variant not in use waits beside it as General_New.ilb or General_Old.ilb.
// "View bounds" ticked means the waiting one is General_New.ilb. The file
// names are the setting's only store.

void DetectImageSet();
void SwitchImageSet();
