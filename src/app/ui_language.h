#pragma once
// Which interface language the game's own "Language" number asks for.

#include <cstdint>
#include <string>

// 1 "EN", 2 "GE", 3 "FR", 4 "IT", 5 "PL", 6 "RU", 7 "JA", 8 "KO", 9 "CH",
// 10 "CHs"; every other number (0 for a missing key, -1 for a missing value) "EN".
std::string LanguageCodeFor(std::int32_t gameLanguage);
