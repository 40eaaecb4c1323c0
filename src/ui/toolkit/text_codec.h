#pragma once
// The program's texts are 8-bit, each in the code page it was written in
// (a dictionary text in its language's, a registry text in the system's ANSI
// code page); the windows show them as UTF-16.

#include <string>

// bytes read in codePage, as UTF-16; empty when the code page cannot read them.
std::wstring DecodeText(const std::string& bytes, unsigned codePage);

// text written back in codePage; characters it lacks become its default character.
std::string EncodeText(const std::wstring& text, unsigned codePage);

// A text in the interface language's code page, as UTF-16.
std::wstring DecodeUiText(const std::string& text);
