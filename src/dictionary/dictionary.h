#pragma once
// The localisation dictionary "Dict\Setup.ini": every text the program shows.

#include <string>

// The text of textKey in the current LanguageCode, or the caller's fallback
// when the dictionary supplies none. Never fails towards the caller.
std::string LookupText(const std::string& textKey, const std::string& fallback);

// Writes one group of the dictionary being created: the ten language entries,
// in the order of kDictionaryLanguages.
void WriteDictionaryGroup(const std::string& textKey, const std::string (&texts)[10]);

// Rebuilds the dictionary from the built-in English and Russian texts when it
// is missing, empty or not a file.
void EnsureDictionary();
