// Feeds arbitrary bytes to the dictionary parser, then checks that the
// canonical text reads back as the same document, and drives selects, reads
// and writes with names taken from the same bytes. Until the first write,
// every select and read must get the same answer straight from the bytes.
//
// Which documents cannot survive a trip through their canonical text, by the
// rules of the format rather than by a fault:
//  - Lines the parser never makes, which writes can: a group name holding
//    "]" or a line end; a key holding "=" or a line end, starting with a
//    blank, ";" or "[", or ending with a blank; a value starting with a blank
//    or holding a line end. (A comment holding a line end is checked too,
//    though only a hand-made document can have one.)
//  - A document without byte-order mark whose first line is an entry with a
//    key that begins with EF BB BF (the file had a blank or an empty line
//    before it): the canonical text then begins with the mark, so it reads
//    back as a UTF-8 document.
// For those, one more trip must reach a document that does read back
// exactly, and from there the canonical text must stay put.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/preference_document.h"

namespace {

// What ends a line as the engine reads it back: CR, LF, and a zero byte,
// which ends the whole text.
constexpr std::string_view kLineEnds("\r\n\0", 3);
constexpr std::string_view kFallback = "\x01"
                                       "fallback\x02";

void Require(bool condition)
{
    if (!condition) std::abort();
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool HasLineEnd(std::string_view text)
{
    return text.find_first_of(kLineEnds) != std::string_view::npos;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameAsciiFolded(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

bool SameLines(const PreferenceDocument& a, const PreferenceDocument& b)
{
    if (a.lines.size() != b.lines.size()) return false;
    for (std::size_t i = 0; i < a.lines.size(); ++i) {
        const PreferenceLine& x = a.lines[i];
        const PreferenceLine& y = b.lines[i];
        if (x.kind != y.kind || x.name != y.name || x.value != y.value) return false;
    }
    return true;
}

bool StartsWithMarkedKey(const PreferenceDocument& document)
{
    return !document.utf8 && !document.lines.empty() && document.lines[0].kind == PreferenceLineKind::Entry &&
           document.lines[0].name.starts_with("\xEF\xBB\xBF");
}

bool LineReadsBack(const PreferenceLine& line)
{
    switch (line.kind) {
    case PreferenceLineKind::Group: return !HasLineEnd(line.name) && line.name.find(']') == std::string::npos;
    case PreferenceLineKind::Comment: return !HasLineEnd(line.value);
    case PreferenceLineKind::Entry: {
        const std::string& key = line.name;
        const bool keyReadsBack = !HasLineEnd(key) && key.find('=') == std::string::npos &&
                                  (key.empty() || (!IsBlank(key.front()) && key.front() != ';' && key.front() != '[' &&
                                                   !IsBlank(key.back())));
        return keyReadsBack && !HasLineEnd(line.value) && (line.value.empty() || !IsBlank(line.value.front()));
    }
    }
    return false;
}

bool ReadsBackExactly(const PreferenceDocument& document)
{
    if (StartsWithMarkedKey(document)) return false;
    for (const PreferenceLine& line : document.lines) {
        if (!LineReadsBack(line)) return false;
    }
    return true;
}

void CheckCanonicalText(const PreferenceDocument& document)
{
    const std::string text = SerialisePreferenceDocument(document);
    const PreferenceDocument again = ParsePreferenceDocument(text);
    // Whatever went in, the parser only makes lines that have a canonical form.
    Require(ReadsBackExactly(again) || StartsWithMarkedKey(again));
    if (ReadsBackExactly(document)) {
        Require(again.utf8 == document.utf8);
        Require(SameLines(again, document));
        Require(SerialisePreferenceDocument(again) == text);
        return;
    }
    const PreferenceDocument settled = ParsePreferenceDocument(SerialisePreferenceDocument(again));
    Require(ReadsBackExactly(settled));
    const std::string settledText = SerialisePreferenceDocument(settled);
    const PreferenceDocument last = ParsePreferenceDocument(settledText);
    Require(SameLines(last, settled) && last.utf8 == settled.utf8);
    Require(SerialisePreferenceDocument(last) == settledText);
}

bool CheckSelect(PreferenceDocument& document, std::string_view name)
{
    const bool found = SelectPreferenceGroup(document, name);
    if (name.empty()) {
        Require(found && document.currentGroup == -1 && document.pendingGroup.empty());
        return found;
    }
    if (!found) {
        Require(!document.pendingGroup.empty());
        Require(ReadPreferenceString(document, name, kFallback) == kFallback);
        return found;
    }
    Require(document.pendingGroup.empty());
    Require(document.currentGroup >= 0 && static_cast<std::size_t>(document.currentGroup) < document.lines.size());
    const PreferenceLine& group = document.lines[static_cast<std::size_t>(document.currentGroup)];
    Require(group.kind == PreferenceLineKind::Group);
    if (document.utf8) return found;
    // Without the mark names are compared byte for byte: the first match wins.
    Require(SameAsciiFolded(group.name, name));
    for (std::ptrdiff_t i = 0; i < document.currentGroup; ++i) {
        const PreferenceLine& earlier = document.lines[static_cast<std::size_t>(i)];
        Require(earlier.kind != PreferenceLineKind::Group || !SameAsciiFolded(earlier.name, name));
    }
    return found;
}

void CheckWrite(PreferenceDocument& document, std::string_view field)
{
    const std::size_t split = field.find('\x1F');
    const std::string_view key = field.substr(0, split);
    const std::string_view value = split == std::string_view::npos ? std::string_view{} : field.substr(split + 1);
    const std::size_t before = document.lines.size();
    WritePreferenceString(document, key, value);
    Require(document.modified && document.pendingGroup.empty());
    Require(document.lines.size() >= before && document.lines.size() <= before + 2);
    // Every 8-bit value survives the trip into UTF-8 and back, so this holds
    // in both modes.
    Require(ReadPreferenceString(document, key, kFallback) == Trim(value));
}

// Newline-separated fields of the input; the first byte of each picks the
// operation, the rest is its name (a write splits key and value at 0x1F).
void RunOperations(PreferenceDocument& document, std::string_view input)
{
    const std::string_view bytes = input;
    std::string_view group;  // the group selected last
    bool unchanged = true;
    for (int count = 0; count < 64 && !input.empty(); ++count) {
        const std::size_t end = input.find('\n');
        const std::string_view field = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view{} : input.substr(end + 1);
        if (field.empty()) continue;
        const std::string_view argument = field.substr(1);
        switch (static_cast<unsigned char>(field[0]) % 3) {
        case 0: {
            const bool found = CheckSelect(document, argument);
            Require(!unchanged || HasPreferenceGroup(bytes, argument) == found);
            group = argument;
            break;
        }
        case 1: {
            const std::string read = ReadPreferenceString(document, argument, kFallback);
            Require(document.pendingGroup.empty() || read == kFallback);
            Require(!unchanged || FindPreferenceString(bytes, group, argument, kFallback) == read);
            break;
        }
        default:
            CheckWrite(document, argument);
            unchanged = false;
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    PreferenceDocument document = ParsePreferenceDocument(input);
    Require(!document.modified && document.currentGroup == -1 && document.pendingGroup.empty());
    CheckCanonicalText(document);
    RunOperations(document, input);
    CheckCanonicalText(document);
    return 0;
}
