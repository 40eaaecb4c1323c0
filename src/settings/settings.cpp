#include "settings/settings.h"

#include "app/process_values.h"
#include "resources/image_switch.h"
#include "resources/rules_list.h"
#include "settings/catalogue.h"
#include "settings/registry_store.h"
#include "ui/main_window.h"

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
    if (ReadNumber(HKEY_CURRENT_USER, video, "Display Mode") == 0) {
        SelectItem(30, 0);
        return;
    }
    SelectItem(30, 1);
    // The game's registry is read in a fixed order: the width, then the height.
    const std::int32_t width = ReadNumber(HKEY_CURRENT_USER, video, "Display Width");
    const std::int32_t height = ReadNumber(HKEY_CURRENT_USER, video, "Display Height");
    CurrentDisplayMode = StoredModeText(width, height);
    const int chosen = ChooseItemByName(ItemTexts(30), CurrentDisplayMode, 1);
    if (chosen >= 1) SelectItem(30, chosen);
}

void LoadEntry(const SettingEntry& entry)
{
    switch (entry.conversion) {
    case Conversion::CheckBox: SetChecked(entry.controlId, ReadSetting(entry) != 0); break;
    case Conversion::Choice:
    case Conversion::ByteChoice: SelectItem(entry.controlId, ReadSetting(entry)); break;
    case Conversion::Edit:
    case Conversion::FolderEdit:
        SetFieldText(entry.controlId, ReadText(HKEY_CURRENT_USER, KeyPath(entry.subKey), entry.valueName));
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
    if (SelectedIndex(30) == 0) {
        WriteNumber(HKEY_CURRENT_USER, video, "Display Mode", 0);
        return;
    }
    WriteNumber(HKEY_CURRENT_USER, video, "Display Mode", 1);
    CurrentDisplayMode = SelectedItemText(30);
    const auto [width, height] = SplitModeText(CurrentDisplayMode);
    WriteNumber(HKEY_CURRENT_USER, video, "Display Width", width);
    WriteNumber(HKEY_CURRENT_USER, video, "Display Height", height);
}

void ApplyEntry(const SettingEntry& entry)
{
    const std::string path = KeyPath(entry.subKey);
    switch (entry.conversion) {
    case Conversion::CheckBox:
        WriteNumber(HKEY_CURRENT_USER, path, entry.valueName, IsChecked(entry.controlId) ? 1 : 0);
        break;
    case Conversion::Choice:
        WriteNumber(HKEY_CURRENT_USER, path, entry.valueName, SelectedIndex(entry.controlId));
        break;
    case Conversion::ByteChoice:
        WriteByte(HKEY_CURRENT_USER, path, entry.valueName, SelectedIndex(entry.controlId));
        break;
    case Conversion::Edit: WriteText(HKEY_CURRENT_USER, path, entry.valueName, FieldText(entry.controlId)); break;
    case Conversion::FolderEdit: {
        // The player sees the backslash added before it is stored.
        const std::string folder = FieldText(entry.controlId);
        if (FolderWithBackslash(folder) != folder) SetFieldText(entry.controlId, FolderWithBackslash(folder));
        WriteText(HKEY_CURRENT_USER, path, entry.valueName, FieldText(entry.controlId));
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
    // 13, 31 and 35 are disabled when the load begins; the window left them so.
    for (const SettingEntry& entry : SettingsCatalogue()) {
        LoadEntry(entry);
        if (entry.loadOrder == 13) {
            const bool customRules = IsChecked(12);
            EnableControl(13, customRules);
            EnableControl(35, customRules);
        }
        if (entry.loadOrder == 14) SelectItem(31, 0);
    }
}

void ApplySettings()
{
    for (const SettingEntry& entry : ApplyOrder()) ApplyEntry(entry);
}
