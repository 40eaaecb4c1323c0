#pragma once
// The rules of the display-mode list, over plain values: which modes the
// adapter reports are offered, how they are written and in which order, and
// how a chosen mode's text is read back into a width and a height.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct ScreenMode {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t depth = 0;    // bits per pixel: 16 or 32
    std::int16_t refresh = 0;  // carried, not used by the list
};

// The pixel formats whose modes are read from the adapter.
enum class ScanFormat { X1R5G5B5, R5G6B5, X8R8G8B8 };

struct ScanGroup {
    ScanFormat format;
    unsigned count;      // modes the adapter reports in that format
    std::int16_t depth;  // bits per pixel written into each record
};

// The groups the mode table is read from, in table order: one 16-bit group
// (X1R5G5B5 when the adapter has any of it, otherwise R5G6B5), then X8R8G8B8.
std::vector<ScanGroup> ScanGroups(unsigned x1r5g5b5Count, unsigned r5g6b5Count, unsigned x8r8g8b8Count);

// Entries the list holds at most while it is built: the two fixed ones and 998 modes.
inline constexpr std::size_t kModeListCapacity = 1000;

// The entries of the display-mode list: the windowed entry, "800*600", then the
// text of every mode that passes the filter, sorted in byte order. Equal texts
// are kept; the box drops repeats when it is filled. Modes beyond the
// capacity of the list are not taken, so it never holds more than
// kModeListCapacity entries.
std::vector<std::string> BuildModeTexts(const std::string& windowEntry, const std::vector<ScreenMode>& modes);

// width "*" height, in signed decimal: a mode of the list, or the stored one.
std::string ModeText(std::int32_t width, std::int32_t height);

// Width and height of a display-mode text, read as the game's old editor did:
// the number before the first "*", and the number left after every
// occurrence of that text and its "*" is removed.
std::pair<std::int32_t, std::int32_t> SplitModeText(const std::string& text);
// The number at the start of a text after blanks and tabs, with an optional
// sign; 0 when no digit follows. Saturates at the limits of 32 bits.
std::int32_t LeadingNumber(const std::string& text);

// The texts in their order, each only at its first occurrence (byte for byte).
std::vector<std::string> DistinctModeTexts(const std::vector<std::string>& texts);
