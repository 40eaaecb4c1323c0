#pragma once
// The localisation dictionary "Dict\Setup.ini": every text the program shows.

#include <iterator>
#include <string>

#include "dictionary/languages.h"

// The text of textKey in the current LanguageCode, or the caller's fallback
// when the dictionary supplies none. Never fails towards the caller.
std::string LookupText(const std::string& textKey, const std::string& fallback);

// Writes one group of the dictionary being created: an entry for every
// language, in the order of kLanguages.
void WriteDictionaryGroup(const std::string& textKey, const std::string (&texts)[std::size(kLanguages)]);

// Rebuilds the dictionary from the built-in English and Russian texts when it
// is missing, empty or not a file.
void EnsureDictionary();
