#pragma once
// The interface languages, the one table of them: the code a dictionary
// entry is named by, the game's "Language" number that chooses it, and the
// code page its texts are written in. The table's order is the order of the
// entries in every group of a rebuilt dictionary.

#include <cstdint>
#include <string>

struct Language {
    const char* code;         // a LanguageCode
    std::int32_t gameNumber;  // the game numbers its languages from 1, not in the Language box's item order
    unsigned codePage;
};

inline constexpr Language kLanguages[] = {
    {"EN", 1, 1252}, {"RU", 6, 1251}, {"GE", 2, 1252}, {"FR", 3, 1252}, {"IT", 4, 1252},
    {"PL", 5, 1250}, {"JA", 7, 932},  {"KO", 8, 949},  {"CH", 9, 950},  {"CHs", 10, 936},
};

// The code the game's "Language" number asks for; "EN" for every other number
// (0 for a missing key, -1 for a missing value).
std::string LanguageCodeFor(std::int32_t gameLanguage);

// The code page the texts of languageCode are written in; English's for a
// code the program does not know, since every dictionary has English.
unsigned UiCodePage(const std::string& languageCode);
