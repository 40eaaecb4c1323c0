#pragma once
// Dictionary texts are 8-bit, in the code page of the interface language;
// the windows show them as UTF-16.

#include <string>

// The code page the texts of languageCode are written in; 1252 for a code
// the program does not know.
unsigned UiCodePage(const std::string& languageCode);

// bytes read in codePage, as UTF-16; empty when the code page cannot read them.
std::wstring DecodeText(const std::string& bytes, unsigned codePage);

// text written back in codePage; characters it lacks become its default character.
std::string EncodeText(const std::wstring& text, unsigned codePage);
