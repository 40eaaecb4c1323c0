#pragma once
// The preference-file engine on real files. It holds at most one document at
// a time; the file stays open from Open or Create until Close.

#include <string>

namespace PreferenceFile {

bool Create(const std::string& path);
bool Open(const std::string& path);
bool SelectGroup(const std::string& name);
std::string ReadString(const std::string& key, const std::string& fallback);
void WriteString(const std::string& key, const std::string& value);

// Writes a modified, writable document back and releases everything. The
// result is false only when a write-back was due and did not reach the file
// whole; the file is then cut to 0 bytes before it is closed. Lookups ignore
// the result, the dictionary rebuild does not.
bool Close();

}  // namespace PreferenceFile
