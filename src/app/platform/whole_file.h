#pragma once
// Reading a whole file of the program's into memory in one read: the
// dictionary, the playlist. None of them comes near the limit; a file past it
// is not one of them, and reading it would only invite running out of memory.

#include <windows.h>

#include <optional>
#include <string>

inline constexpr DWORD kLargestReadableFile = 256u * 1024u * 1024u;

// The file behind an open handle, from its start; none when it is larger than
// the limit or cannot be read whole (it changed under us).
std::optional<std::string> ReadWholeFile(HANDLE file);

// The file at path, opened for reading with the given sharing; none when it
// cannot be opened or read whole.
std::optional<std::string> ReadWholeFile(const std::string& path, DWORD share = FILE_SHARE_READ);
