#pragma once
// The only code that touches the registry. Every call opens its key, does one
// value access and closes the key again. Reads never fail towards the caller:
// they give 0 when the key cannot be opened and -1 (numbers, bytes) or the
// empty text when the value cannot be read.

#include <windows.h>

#include <cstdint>
#include <string>

std::int32_t ReadNumber(HKEY root, const std::string& path, const std::string& name);
std::int32_t ReadByte(HKEY root, const std::string& path, const std::string& name);
// Always reads under HKEY_CURRENT_USER, whatever root is passed.
std::string ReadText(HKEY root, const std::string& path, const std::string& name);

void WriteNumber(HKEY root, const std::string& path, const std::string& name, std::int32_t value);
void WriteByte(HKEY root, const std::string& path, const std::string& name, int choice);
void WriteText(HKEY root, const std::string& path, const std::string& name, const std::string& text);
