#include "wine_fixtures.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

namespace {

// Calls visit with the name and the attributes of each entry of a folder.
void ForEachEntry(const std::string& folder, const std::function<void(const std::string&, DWORD)>& visit)
{
    WIN32_FIND_DATAA entry;
    const FolderListing listing(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!listing.IsOpen()) return;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") visit(name, entry.dwFileAttributes);
    } while (FindNextFileA(listing.Get(), &entry));
}

RegistryKey OpenKey(const std::string& path)
{
    HKEY key = nullptr;
    return RegistryKey(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS ? key
                                                                                                          : nullptr);
}

}  // namespace

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    previous_ = current;
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(temp) + "kervane-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
    }
    SetCurrentDirectoryA(path_.c_str());
}

ScratchFolder::~ScratchFolder()
{
    SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(path_);
}

std::string HostPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void RemoveTree(const std::string& path)
{
    ForEachEntry(path, [&](const std::string& name, DWORD attributes) {
        const std::string child = path + "\\" + name;
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
        else DeleteFileA(child.c_str());
    });
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

void WriteWholeFile(const std::string& path, const std::string& bytes)
{
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file.IsOpen() || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

std::wstring FromCp1251(const std::string& bytes)
{
    std::wstring text(bytes.size(), L'\0');
    const int length = MultiByteToWideChar(1251, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                           static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

std::string DwordBytes(std::uint32_t value)
{
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

std::string TextBlock(const std::string& text)
{
    std::string block = text;
    block.resize(std::max<std::size_t>(256, text.size() + 1), '\0');
    return block;
}

std::vector<std::string> LogEvents()
{
    std::vector<std::string> events;
    const std::optional<std::string> log = FileBytes("Setup.log");
    if (!log) return events;
    std::size_t start = 0;
    while (start < log->size()) {
        std::size_t end = log->find("\r\n", start);
        if (end == std::string::npos) end = log->size();
        const std::string line = log->substr(start, end - start);
        events.push_back(line.size() >= 31 ? line.substr(31) : line);
        start = end + 2;
    }
    return events;
}

std::optional<RawValue> ReadRawValue(const std::string& path, const std::string& name)
{
    const RegistryKey key = OpenKey(path);
    DWORD type = 0;
    DWORD size = 0;
    if (!key.IsOpen() || RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue raw{type, std::string(size, '\0')};
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(raw.data.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    raw.data.resize(size);
    return raw;
}

void PrintTo(const RawValue& value, std::ostream* out)
{
    *out << "type " << value.type << ", " << ::testing::PrintToString(value.data);
}

std::optional<std::uint32_t> StoredDword(const std::string& path, const std::string& name)
{
    const std::optional<RawValue> value = ReadRawValue(path, name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
    std::uint32_t number = 0;
    std::memcpy(&number, value->data.data(), 4);
    return number;
}

void SetRawValue(const std::string& path, const std::string& name, DWORD type, const std::string& data)
{
    RegistryKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Out(), nullptr) !=
            ERROR_SUCCESS ||
        RegSetValueExA(key.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set " + path + "|" + name);
}

void SetText(const std::string& path, const std::string& name, const std::string& text)
{
    SetRawValue(path, name, REG_SZ, WithZero(text));
}

void SetDword(const std::string& path, const std::string& name, std::uint32_t value)
{
    SetRawValue(path, name, REG_DWORD, DwordBytes(value));
}

void DeleteKeyTree(const std::string& path)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

bool KeyExists(const std::string& path)
{
    return OpenKey(path).IsOpen();
}

std::map<std::string, RawValue> RegistryTree(const std::string& path)
{
    std::map<std::string, RawValue> tree;
    const RegistryKey key = OpenKey(path);
    if (!key.IsOpen()) return tree;
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (auto value = ReadRawValue(path, name)) tree[path + "|" + name] = *value;
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        tree.merge(RegistryTree(path + "\\" + name));
    }
    return tree;
}

std::map<std::string, std::string> FolderTree(const std::string& path)
{
    std::map<std::string, std::string> tree;
    ForEachEntry(path, [&](const std::string& name, DWORD attributes) {
        const std::string child = path + "\\" + name;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[name] = "<folder>";
            const std::string prefix = name + "\\";
            for (auto& [inner, bytes] : FolderTree(child)) tree[prefix + inner] = bytes;
        } else {
            tree[name] = FileBytes(child).value_or("<unreadable>");
        }
    });
    return tree;
}

void BecomeDpiAware()
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

EventWaitLimit::EventWaitLimit(DWORD milliseconds) : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    watchdog_ = std::thread([this, milliseconds, waiter = GetCurrentThreadId()] {
        if (WaitForSingleObject(done_, milliseconds) == WAIT_TIMEOUT) PostThreadMessageW(waiter, WM_QUIT, 0, 0);
    });
}

EventWaitLimit::~EventWaitLimit()
{
    SetEvent(done_);
    watchdog_.join();
    CloseHandle(done_);
}
