#include "dictionary/languages.h"

std::string LanguageCodeFor(std::int32_t gameLanguage)
{
    for (const Language& language : kLanguages)
        if (language.gameNumber == gameLanguage) return language.code;
    return kLanguages[0].code;
}

unsigned UiCodePage(const std::string& languageCode)
{
    for (const Language& language : kLanguages)
        if (languageCode == language.code) return language.codePage;
    return kLanguages[0].codePage;
}
