#pragma once
// The bytes of the dictionary a rebuild writes, made with the same engine
// calls on a document in memory.

#include <iterator>
#include <string>

#include "dictionary/built_in_texts.h"
#include "dictionary/languages.h"
#include "dictionary/preference_document.h"

inline std::string RebuiltDictionaryBytes()
{
    PreferenceDocument document;
    for (const BuiltInText& row : BuiltInTexts()) {
        SelectPreferenceGroup(document, row.key);
        const std::string texts[] = {row.english, row.russian, "", "", "", "", "", "", "", ""};
        for (std::size_t i = 0; i < std::size(kLanguages); ++i)
            WritePreferenceString(document, kLanguages[i].code, texts[i]);
    }
    return SerialisePreferenceDocument(document);
}
