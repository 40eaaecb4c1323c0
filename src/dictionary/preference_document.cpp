#include "dictionary/preference_document.h"

#include <algorithm>
#include <optional>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text the engine parses: the file's bytes after the byte-order mark, up
// to the first zero byte. The engine reads the file into one zero-terminated
// buffer and parses it in place, so the text ends at the first zero; a
// dictionary whose file holds one reads as if the file ended there, and the
// scan over the bytes and the parsed document agree on it.
std::string_view DocumentText(std::string_view bytes, bool& utf8)
{
    utf8 = bytes.starts_with(kByteOrderMark);
    if (utf8) bytes.remove_prefix(kByteOrderMark.size());
    return bytes.substr(0, bytes.find('\0'));
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Only A-Z fold: the dictionary's 8-bit code page has its own idea of which
// bytes above 0x7F are letters, and the engine never guessed at it.
char FoldAsciiCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

// Where the line starting at position ends: its first CR or LF, or the end.
std::size_t LineEnd(std::string_view bytes, std::size_t position)
{
    while (position < bytes.size() && bytes[position] != '\r' && bytes[position] != '\n') ++position;
    return position;
}

// One non-blank line with its leading blanks already skipped, as views into it.
struct LineView {
    PreferenceLineKind kind;
    std::string_view name;   // group name, or the key of an entry
    std::string_view value;  // comment text, or the value of an entry
};

LineView ClassifyLine(std::string_view line)
{
    if (line.front() == ';') {
        std::string_view text = line.substr(1);
        if (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        }
        return {PreferenceLineKind::Comment, {}, text};
    }
    if (line.front() == '[') {
        const std::string_view name = line.substr(1);
        return {PreferenceLineKind::Group, name.substr(0, name.find(']')), {}};
    }
    const std::size_t equals = line.find('=');
    const std::string_view key = TrimRight(line.substr(0, equals));
    const std::string_view value = equals == std::string_view::npos ? std::string_view{}
                                                                    : TrimLeft(line.substr(equals + 1));
    return {PreferenceLineKind::Entry, key, value};
}

// Calls visit with each non-blank line of the bytes (the byte-order mark
// already removed) until it returns false. A run of CR and LF ends one line
// and then yields only empty lines, which are dropped like any other blank line.
template <typename Visit>
void VisitLines(std::string_view bytes, Visit visit)
{
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t end = LineEnd(bytes, position);
        const std::string_view line = TrimLeft(bytes.substr(position, end - position));
        position = end + 1;
        if (!line.empty() && !visit(ClassifyLine(line))) return;
    }
}

// 8-bit text is Latin-1 as far as UTF-8 mode is concerned: every byte is the
// character of the same number.
std::string Latin1ToUtf8(std::string_view text)
{
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
            continue;
        }
        utf8 += static_cast<char>(0xC0 | (byte >> 6));
        utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
    return utf8;
}

// How long the sequence a lead byte opens is, and which second bytes keep it
// well-formed (this rules out overlong forms, surrogates and values past
// U+10FFFF). Length 0: the byte cannot open a sequence.
struct Utf8Lead {
    std::size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

Utf8Lead ClassifyUtf8Lead(unsigned char lead)
{
    if (lead < 0x80) return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

bool IsContinuation(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0xBF;
}

// Length of the well-formed sequence at the start of text, 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text)
{
    const Utf8Lead lead = ClassifyUtf8Lead(static_cast<unsigned char>(text[0]));
    if (lead.length <= 1) return lead.length;
    if (text.size() < lead.length) return 0;
    const auto second = static_cast<unsigned char>(text[1]);
    if (second < lead.secondLow || second > lead.secondHigh) return 0;
    for (std::size_t i = 2; i < lead.length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[i]))) return 0;
    }
    return lead.length;
}

// Characters past U+00FF have no 8-bit byte and become one '?' each; a byte
// that is not part of a well-formed sequence becomes one '?' of its own.
std::string Utf8ToLatin1(std::string_view text)
{
    std::string latin1;
    latin1.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 1) {
            latin1 += text[0];
        } else {
            const auto lead = static_cast<unsigned char>(text[0]);
            // Only C2 and C3 lead the two-byte forms of U+0080..U+00FF.
            const bool fitsInByte = length == 2 && lead <= 0xC3;
            latin1 += fitsInByte
                          ? static_cast<char>(((lead & 0x1F) << 6) | (static_cast<unsigned char>(text[1]) & 0x3F))
                          : '?';
        }
        text.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return latin1;
}

// Names, keys and values handed in, in the document's own encoding.
std::string ToDocumentText(bool utf8, std::string_view text)
{
    return utf8 ? Latin1ToUtf8(text) : std::string(text);
}

// The current group's lines: after its group line (or from the start for the
// top section) up to the next group line.
struct Section {
    std::size_t begin;
    std::size_t end;
};

Section CurrentSection(const PreferenceDocument& document)
{
    const std::size_t begin = document.currentGroup < 0 ? 0 : static_cast<std::size_t>(document.currentGroup) + 1;
    std::size_t end = begin;
    while (end < document.lines.size() && document.lines[end].kind != PreferenceLineKind::Group) {
        ++end;
    }
    return {begin, end};
}

// Comments are skipped by kind, not by name: their name is empty and would
// otherwise match the empty key.
std::optional<std::size_t> FindEntry(const PreferenceDocument& document, Section section, std::string_view key)
{
    for (std::size_t i = section.begin; i < section.end; ++i) {
        const PreferenceLine& line = document.lines[i];
        if (line.kind == PreferenceLineKind::Entry && SameName(line.name, key)) return i;
    }
    return std::nullopt;
}

}  // namespace

PreferenceDocument ParsePreferenceDocument(std::string_view bytes)
{
    PreferenceDocument document;
    bytes = DocumentText(bytes, document.utf8);
    // Room for every line up front spares the moves of a growing list.
    document.lines.reserve(static_cast<std::size_t>(std::ranges::count(bytes, '\n')) + 1);
    VisitLines(bytes, [&](const LineView& line) {
        document.lines.push_back({line.kind, std::string(line.name), std::string(line.value)});
        return true;
    });
    return document;
}

bool HasPreferenceGroup(std::string_view bytes, std::string_view name)
{
    if (name.empty()) return true;
    bool utf8 = false;
    bytes = DocumentText(bytes, utf8);
    const std::string wanted = ToDocumentText(utf8, name);
    bool found = false;
    VisitLines(bytes, [&](const LineView& line) {
        found = line.kind == PreferenceLineKind::Group && SameName(line.name, wanted);
        return !found;
    });
    return found;
}

std::string FindPreferenceString(std::string_view bytes, std::string_view group, std::string_view key,
                                 std::string_view fallback)
{
    bool utf8 = false;
    bytes = DocumentText(bytes, utf8);
    const std::string wantedGroup = ToDocumentText(utf8, group);
    const std::string wantedKey = ToDocumentText(utf8, key);
    // The section is the first group of that name (the top section for the
    // empty name) up to the next group line.
    bool inSection = group.empty();
    std::optional<std::string_view> value;
    VisitLines(bytes, [&](const LineView& line) {
        if (line.kind == PreferenceLineKind::Group) {
            if (inSection) return false;
            inSection = SameName(line.name, wantedGroup);
            return true;
        }
        if (inSection && line.kind == PreferenceLineKind::Entry && SameName(line.name, wantedKey)) value = line.value;
        return !value;
    });
    if (!value) return std::string(fallback);
    const std::string_view trimmed = TrimRight(TrimLeft(*value));
    return utf8 ? Utf8ToLatin1(trimmed) : std::string(trimmed);
}

bool SelectPreferenceGroup(PreferenceDocument& document, std::string_view name)
{
    document.pendingGroup.clear();
    if (name.empty()) {
        document.currentGroup = -1;
        return true;
    }
    std::string wanted = ToDocumentText(document.utf8, name);
    const auto found = std::ranges::find_if(document.lines, [&](const PreferenceLine& line) {
        return line.kind == PreferenceLineKind::Group && SameName(line.name, wanted);
    });
    if (found == document.lines.end()) {
        document.pendingGroup = std::move(wanted);
        return false;
    }
    document.currentGroup = found - document.lines.begin();
    return true;
}

std::string ReadPreferenceString(const PreferenceDocument& document, std::string_view key, std::string_view fallback)
{
    if (!document.pendingGroup.empty()) return std::string(fallback);
    const auto found = FindEntry(document, CurrentSection(document), ToDocumentText(document.utf8, key));
    if (!found) return std::string(fallback);
    const std::string_view value = TrimRight(TrimLeft(document.lines[*found].value));
    return document.utf8 ? Utf8ToLatin1(value) : std::string(value);
}

void WritePreferenceString(PreferenceDocument& document, std::string_view key, std::string_view value)
{
    if (!document.pendingGroup.empty()) {
        document.lines.push_back({PreferenceLineKind::Group, std::move(document.pendingGroup), {}});
        document.pendingGroup.clear();
        document.currentGroup = static_cast<std::ptrdiff_t>(document.lines.size()) - 1;
    }
    const Section section = CurrentSection(document);
    std::string documentKey = ToDocumentText(document.utf8, key);
    std::string documentValue = ToDocumentText(document.utf8, value);
    document.modified = true;
    if (const auto found = FindEntry(document, section, documentKey)) {
        // The caller's spelling of the key wins, so a rebuild can fix its case.
        document.lines[*found].name = std::move(documentKey);
        document.lines[*found].value = std::move(documentValue);
        return;
    }
    const auto at = document.lines.begin() + static_cast<std::ptrdiff_t>(section.end);
    document.lines.insert(at, {PreferenceLineKind::Entry, std::move(documentKey), std::move(documentValue)});
}

std::string SerialisePreferenceDocument(const PreferenceDocument& document)
{
    std::string text;
    if (document.utf8) {
        text += kByteOrderMark;
        text += "\r\n";
    }
    for (const PreferenceLine& line : document.lines) {
        switch (line.kind) {
        case PreferenceLineKind::Group:
            text += '[';
            text += line.name;
            text += ']';
            break;
        case PreferenceLineKind::Comment:
            text += "; ";
            text += line.value;
            break;
        case PreferenceLineKind::Entry:
            text += line.name;
            text += " = ";
            text += line.value;
            break;
        }
        text += "\r\n";
    }
    return text;
}
