#include "resources/image_switch.h"

#include <windows.h>

#include <string>

#include "app/platform/handles.h"
#include "app/process_values.h"
#include "ui/main_window/main_window.h"
#include "ui/toolkit/controls.h"

namespace {

std::string ImagePath(const char* name)
{
    return GameRoot + "Images\\" + name;
}

// Present means: it opens for reading as an existing file.
bool IsPresent(const char* name)
{
    const FileHandle file(CreateFileA(ImagePath(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsOpen();
}

// A move within the folder that never replaces an existing file.
bool Rename(const char* from, const char* to)
{
    return MoveFileA(ImagePath(from).c_str(), ImagePath(to).c_str()) != 0;
}

// Sets the active library aside and makes the other one active. The second
// rename runs even when the first failed, so that a set-aside library can
// stand in for a missing active one.
void MakeActive(const char* setAsideName, const char* otherName)
{
    const bool setAside = Rename("General.ilb", setAsideName);
    // The game is never left without General.ilb: if the other cannot take the name, the active one gets it back.
    if (!Rename(otherName, "General.ilb") && setAside) Rename(setAsideName, "General.ilb");
}

}  // namespace

void DetectImageSet()
{
    if (IsPresent("General_New.ilb")) {
        SetChecked(MainControl(kViewBounds), true);
        return;
    }
    if (IsPresent("General_Old.ilb")) {
        SetChecked(MainControl(kViewBounds), false);
        return;
    }
    EnableControl(MainControl(kViewBounds), false);
    ImageSwitchAvailable = false;
}

void SwitchImageSet()
{
    if (!ImageSwitchAvailable) return;
    if (IsChecked(MainControl(kViewBounds))) {
        if (IsPresent("General_Old.ilb")) MakeActive("General_New.ilb", "General_Old.ilb");
        return;
    }
    if (IsPresent("General_New.ilb")) MakeActive("General_Old.ilb", "General_New.ilb");
}
