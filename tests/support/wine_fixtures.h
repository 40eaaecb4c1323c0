#pragma once
// Helpers for tests that run under Wine against the real file system and
// registry: a scratch working folder, whole-file reads and writes, and raw
// registry access that bypasses the program's own store.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/platform/handles.h"
#include "app/platform/whole_file.h"
#include "app/process_values.h"

// A fresh folder under the temp directory, made the current directory for
// the object's lifetime; removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
    std::string previous_;
};

// A test that runs in a scratch folder of its own, where the program looks
// for its dictionary and writes its log, with the process values as the
// program starts with them.
class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override { InitialiseProcessValues(); }
    ScratchFolder folder;
};

// A path of the build machine's file system as Windows programs under Wine see it.
std::string HostPath(const std::string& unixPath);

void RemoveTree(const std::string& path);
// A file's bytes, read while others may hold it open even for writing; none
// when it cannot be read whole.
inline std::optional<std::string> FileBytes(const std::string& path)
{
    return ReadWholeFile(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
}
// Throws when the file cannot be written whole.
void WriteWholeFile(const std::string& path, const std::string& bytes);
// The lines of "Setup.log" in the current folder with their 31-byte time stamps cut off.
std::vector<std::string> LogEvents();

// UTF-16 from Windows-1251 bytes, for expected Russian texts.
std::wstring FromCp1251(const std::string& bytes);

// What a registry value holds: a number's four bytes; a text with its zero,
// as players' settings hold it; the 256-byte block the program writes a text
// as (the text, its zero and zero padding; a longer text with its zero only).
std::string DwordBytes(std::uint32_t value);
inline std::string WithZero(const std::string& text)
{
    return text + '\0';
}
std::string TextBlock(const std::string& text);

struct RawValue {
    DWORD type = 0;
    std::string data;
    bool operator==(const RawValue&) const = default;
};
void PrintTo(const RawValue& value, std::ostream* out);
std::optional<RawValue> ReadRawValue(const std::string& path, const std::string& name);
// Throws when the key or the value cannot be made.
void SetRawValue(const std::string& path, const std::string& name, DWORD type, const std::string& data);
// A REG_SZ value of the text and its zero.
void SetText(const std::string& path, const std::string& name, const std::string& text);
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

// Ends this thread's waits for window events after a time limit: a WM_QUIT
// makes WaitEvent give a close request of no window, so a test that waits
// for an event that never comes fails in seconds instead of hanging.
class EventWaitLimit {
public:
    explicit EventWaitLimit(DWORD milliseconds);
    ~EventWaitLimit();
    EventWaitLimit(const EventWaitLimit&) = delete;
    EventWaitLimit& operator=(const EventWaitLimit&) = delete;

private:
    HANDLE done_;
    std::thread watchdog_;
};
