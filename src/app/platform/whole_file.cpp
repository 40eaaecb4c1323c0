#include "app/platform/whole_file.h"

#include "app/platform/handles.h"

std::optional<std::string> ReadWholeFile(HANDLE file)
{
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file, &sizeHigh);
    // A failed query answers INVALID_FILE_SIZE, which is past the limit too.
    if (sizeHigh != 0 || size > kLargestReadableFile) return std::nullopt;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return std::nullopt;
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file, bytes.data(), size, &read, nullptr) || read != size)) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadWholeFile(const std::string& path, DWORD share)
{
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return std::nullopt;
    return ReadWholeFile(file.Get());
}
