#include "dictionary/dictionary.h"

#include <windows.h>

#include "app/process_values.h"
#include "dictionary/built_in_texts.h"
#include "dictionary/preference_file.h"
#include "log/event_log.h"

namespace {

// Size in bytes of the file at path; -1 when absent, -2 when it is a folder.
long long DictionaryFileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace

std::string LookupText(const std::string& textKey, const std::string& fallback)
{
    if (!PreferenceFile::Open(DictionaryPath)) {
        LogEvent("INI-file not found! Key " + textKey + " missed!");
        return fallback;
    }
    PreferenceFile::SelectGroup(textKey);
    std::string text = PreferenceFile::ReadString(LanguageCode, fallback);
    PreferenceFile::Close();
    return text;
}

void WriteDictionaryGroup(const std::string& textKey, const std::string (&texts)[std::size(kLanguages)])
{
    PreferenceFile::SelectGroup(textKey);
    for (std::size_t i = 0; i < std::size(kLanguages); ++i) PreferenceFile::WriteString(kLanguages[i].code, texts[i]);
}

void EnsureDictionary()
{
    if (DictionaryFileSize(DictionaryPath) >= 1) return;
    LogEvent("INI-file not found! Trying to rebuild it!");
    if (!PreferenceFile::Create(DictionaryPath)) {
        LogEvent("Error! Can't rebuild ini-file!");
        return;
    }
    for (const BuiltInText& row : BuiltInTexts()) {
        // English and Russian lead the languages; the others stay empty.
        const std::string texts[std::size(kLanguages)] = {row.english, row.russian};
        WriteDictionaryGroup(row.key, texts);
    }
    // A rebuild that did not reach the disk whole has been cut back to nothing,
    // so that the next start sees an empty file and rebuilds it again.
    if (!PreferenceFile::Close()) {
        LogEvent("Error! Can't rebuild ini-file!");
        return;
    }
    LogEvent("INI-file rebuilded!");
}
