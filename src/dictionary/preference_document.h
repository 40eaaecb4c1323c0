#pragma once
// The group/key/value text format of the dictionary file, over bytes only:
// parsing a whole file, queries and changes on the in-memory document, and
// the canonical text written back. No file access here; preference_file.h
// puts this on top of the real files.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class PreferenceLineKind { Group, Comment, Entry };

struct PreferenceLine {
    PreferenceLineKind kind;
    std::string name;   // group name, or the key of an entry
    std::string value;  // comment text, or the value of an entry
};

struct PreferenceDocument {
    std::vector<PreferenceLine> lines;  // the file's non-blank lines, in order
    bool utf8 = false;                  // the file started with EF BB BF
    std::ptrdiff_t currentGroup = -1;   // index of the current group line; -1 is the top section
    std::string pendingGroup;           // selected but not present yet; empty when none
    bool modified = false;
};

// Parses a whole file as read from disk (a leading EF BB BF switches on UTF-8 mode).
PreferenceDocument ParsePreferenceDocument(std::string_view bytes);

// Makes the first group of that name current (true), or remembers the name as
// pending (false). The empty name selects the top section.
bool SelectPreferenceGroup(PreferenceDocument& document, std::string_view name);

// The value of the first matching entry of the current group, blanks and tabs
// trimmed; the fallback when the group is pending or has no such entry.
std::string ReadPreferenceString(const PreferenceDocument& document, std::string_view key, std::string_view fallback);

// Sets the value, creating the pending group and the entry as needed.
void WritePreferenceString(PreferenceDocument& document, std::string_view key, std::string_view value);

// Reads straight from the bytes as read from disk, for a file nobody changes:
// the answers SelectPreferenceGroup and ReadPreferenceString give on the
// parsed bytes, from one scan that copies nothing. A lookup wants one text
// of the whole dictionary, a hundred times per start.
bool HasPreferenceGroup(std::string_view bytes, std::string_view name);
std::string FindPreferenceString(std::string_view bytes, std::string_view group, std::string_view key,
                                 std::string_view fallback);

// The canonical text of the document: every line followed by CR LF, no blank lines.
std::string SerialisePreferenceDocument(const PreferenceDocument& document);
