#include "settings/settings.h"

#include "app/process_values.h"
#include "display/mode_list.h"
#include "resources/image_switch.h"
#include "resources/rules_list.h"
#include "settings/catalogue.h"
#include "settings/item_choice.h"
#include "settings/registry_store.h"
#include "ui/main_window/main_window.h"
#include "ui/toolkit/controls.h"

namespace {

std::int32_t ReadSetting(const SettingEntry& entry)
{
    const std::string path = KeyPath(entry.subKey);
    return entry.kind == ValueKind::Byte ? ReadByte(HKEY_CURRENT_USER, path, entry.valueName)
                                         : ReadNumber(HKEY_CURRENT_USER, path, entry.valueName);
}

void LoadDisplayMode()
{
    const std::string video = KeyPath(SubKey::Video);
    HWND box = MainControl(kDisplayModeBox);
    if (ReadNumber(HKEY_CURRENT_USER, video, "Display Mode") == 0) {
        SelectItem(box, 0);
        return;
    }
    SelectItem(box, 1);
    // The game's registry is read in a fixed order: the width, then the height.
    const std::int32_t width = ReadNumber(HKEY_CURRENT_USER, video, "Display Width");
    const std::int32_t height = ReadNumber(HKEY_CURRENT_USER, video, "Display Height");
    CurrentDisplayMode = ModeText(width, height);
    const int chosen = ChooseItemByName(ItemTexts(box), CurrentDisplayMode, 1);
    if (chosen >= 1) SelectItem(box, chosen);
}

void LoadEntry(const SettingEntry& entry)
{
    HWND control = MainControl(entry.control);
    switch (entry.conversion) {
    case Conversion::CheckBox: SetChecked(control, ReadSetting(entry) != 0); break;
    case Conversion::Choice:
    case Conversion::ByteChoice: SelectItem(control, ReadSetting(entry)); break;
    case Conversion::Edit:
    case Conversion::FolderEdit:
        SetFieldText(control, ReadText(HKEY_CURRENT_USER, KeyPath(entry.subKey), entry.valueName));
        break;
    case Conversion::DisplayMode: LoadDisplayMode(); break;
    case Conversion::RootDirectory:
        GameRoot = GameRootFrom(ReadText(HKEY_CURRENT_USER, KeyPath(entry.subKey), entry.valueName));
        break;
    case Conversion::RulesList: RefreshRulesList(); break;
    case Conversion::ImageSet: DetectImageSet(); break;
    }
}

void ApplyDisplayMode()
{
    const std::string video = KeyPath(SubKey::Video);
    HWND box = MainControl(kDisplayModeBox);
    if (SelectedIndex(box) == 0) {
        WriteNumber(HKEY_CURRENT_USER, video, "Display Mode", 0);
        return;
    }
    WriteNumber(HKEY_CURRENT_USER, video, "Display Mode", 1);
    CurrentDisplayMode = SelectedItemText(box);
    const auto [width, height] = SplitModeText(CurrentDisplayMode);
    WriteNumber(HKEY_CURRENT_USER, video, "Display Width", width);
    WriteNumber(HKEY_CURRENT_USER, video, "Display Height", height);
}

void ApplyEntry(const SettingEntry& entry)
{
    const std::string path = KeyPath(entry.subKey);
    HWND control = MainControl(entry.control);
    switch (entry.conversion) {
    case Conversion::CheckBox: WriteNumber(HKEY_CURRENT_USER, path, entry.valueName, IsChecked(control) ? 1 : 0); break;
    case Conversion::Choice: WriteNumber(HKEY_CURRENT_USER, path, entry.valueName, SelectedIndex(control)); break;
    case Conversion::ByteChoice: WriteByte(HKEY_CURRENT_USER, path, entry.valueName, SelectedIndex(control)); break;
    case Conversion::Edit: WriteText(HKEY_CURRENT_USER, path, entry.valueName, FieldText(control)); break;
    case Conversion::FolderEdit: {
        // The player sees the backslash added before it is stored.
        const std::string folder = FieldText(control);
        if (FolderWithBackslash(folder) != folder) SetFieldText(control, FolderWithBackslash(folder));
        WriteText(HKEY_CURRENT_USER, path, entry.valueName, FieldText(control));
        break;
    }
    case Conversion::DisplayMode: ApplyDisplayMode(); break;
    case Conversion::RulesList: StoreRulesChoice(); break;
    case Conversion::ImageSet: SwitchImageSet(); break;
    case Conversion::RootDirectory: break;
    }
}

}  // namespace

void LoadSettings()
{
    // "Kerv Based rules", the adapter box and the rules box are disabled when
    // the load begins; the window left them so.
    for (const SettingEntry& entry : SettingsCatalogue()) {
        LoadEntry(entry);
        if (entry.control == kAllowCustomRules) {
            const bool customRules = IsChecked(MainControl(kAllowCustomRules));
            EnableControl(MainControl(kKervBasedRules), customRules);
            EnableControl(MainControl(kRulesBox), customRules);
        }
        // The adapter box has one item, selected once "Kerv Based rules" is loaded.
        if (entry.control == kKervBasedRules) SelectItem(MainControl(kAdapterBox), 0);
    }
}

void ApplySettings()
{
    for (const SettingEntry& entry : ApplyOrder()) ApplyEntry(entry);
}
