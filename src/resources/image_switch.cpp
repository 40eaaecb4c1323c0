#include "resources/image_switch.h"

#include <windows.h>

#include <string>

#include "app/process_values.h"
#include "ui/main_window.h"

namespace {

constexpr int kViewBounds = 18;

std::string ImagePath(const char* name)
{
    return GameRoot + "Images\\" + name;
}

// Present means: it opens for reading as an existing file.
bool IsPresent(const char* name)
{
    HANDLE file = CreateFileA(ImagePath(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// A move within the folder that never replaces an existing file.
void Rename(const char* from, const char* to)
{
    MoveFileA(ImagePath(from).c_str(), ImagePath(to).c_str());
}

}  // namespace

void DetectImageSet()
{
    if (IsPresent("General_New.ilb")) {
        SetChecked(kViewBounds, true);
        return;
    }
    if (IsPresent("General_Old.ilb")) {
        SetChecked(kViewBounds, false);
        return;
    }
    EnableControl(kViewBounds, false);
    ImageSwitchAvailable = false;
}

void SwitchImageSet()
{
    if (!ImageSwitchAvailable) return;
    if (IsChecked(kViewBounds)) {
        if (!IsPresent("General_Old.ilb")) return;
        Rename("General.ilb", "General_New.ilb");
        Rename("General_Old.ilb", "General.ilb");
        return;
    }
    if (!IsPresent("General_New.ilb")) return;
    Rename("General.ilb", "General_Old.ilb");
    Rename("General_New.ilb", "General.ilb");
}
