#pragma once
// Helpers for tests that run under Wine against the real file system and
// registry: a scratch working folder, whole-file reads and writes, and raw
// registry access that bypasses the program's own store.

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A fresh folder under the temp directory, made the current directory for
// the object's lifetime; removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

// A path of the build machine's file system as Windows programs under Wine see it.
std::string HostPath(const std::string& unixPath);

void RemoveTree(const std::string& path);
std::optional<std::string> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
// The lines of "Setup.log" in the current folder with their 31-byte time stamps cut off.
std::vector<std::string> LogEvents();

struct RawValue {
    DWORD type = 0;
    std::string data;
    bool operator==(const RawValue&) const = default;
};
std::optional<RawValue> ReadRawValue(const std::string& path, const std::string& name);
void SetRawValue(const std::string& path, const std::string& name, DWORD type, const std::string& data);
// A REG_DWORD value's number; none when the value is missing or of another type or size.
std::optional<std::uint32_t> StoredDword(const std::string& path, const std::string& name);
void SetDword(const std::string& path, const std::string& name, std::uint32_t value);
void DeleteKeyTree(const std::string& path);

// Every value below a key, by "sub-key path|value name", for before-and-after comparisons.
std::map<std::string, RawValue> RegistryTree(const std::string& path);
// Every file below a folder, by relative path, with its bytes; folders map to "<folder>".
std::map<std::string, std::string> FolderTree(const std::string& path);
bool KeyExists(const std::string& path);

// Makes the test process read windows in the screen's own pixels, as the
// program, whose manifest asks for it, does.
void BecomeDpiAware();
