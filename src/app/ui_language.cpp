#include "app/ui_language.h"

std::string LanguageCodeFor(std::int32_t gameLanguage)
{
    // The game numbers its languages from 1; this is not the item order of
    // the Language box in the main window.
    static const char* const kCodes[] = {"EN", "GE", "FR", "IT", "PL", "RU", "JA", "KO", "CH", "CHs"};
    if (gameLanguage < 1 || gameLanguage > 10) return "EN";
    return kCodes[gameLanguage - 1];
}
