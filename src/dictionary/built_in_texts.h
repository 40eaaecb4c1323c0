#pragma once
// The program's own copy of every interface text in English and Russian,
// from which a missing dictionary is rebuilt.

#include <string>
#include <vector>

struct BuiltInText {
    std::string key;
    std::string english;
    std::string russian;  // Windows-1251 bytes
};

// The 112 rows in their fixed order, which is also the order of the groups in
// a rebuilt dictionary.
const std::vector<BuiltInText>& BuiltInTexts();
