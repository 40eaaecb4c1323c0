#include "settings/registry_store.h"

#include <cstring>
#include <vector>

#include "app/platform/handles.h"
#include "log/event_log.h"

namespace {

// Reads a value into a zeroed area of `size` bytes: 0 for an unopenable key,
// -1 for a value that is missing or longer than the area.
std::int32_t ReadSmallValue(HKEY root, const std::string& path, const std::string& name, DWORD size)
{
    RegistryKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) return 0;
    unsigned char area[4] = {0, 0, 0, 0};
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, area, &size) != ERROR_SUCCESS) return -1;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(area[0]) | static_cast<std::uint32_t>(area[1]) << 8 |
                                     static_cast<std::uint32_t>(area[2]) << 16 |
                                     static_cast<std::uint32_t>(area[3]) << 24);
}

bool CreateKeyOrLog(HKEY root, const std::string& path, RegistryKey& key)
{
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.Out(),
                        nullptr) == ERROR_SUCCESS)
        return true;
    LogEvent("Can't write registry setting to " + path + "!");
    return false;
}

}  // namespace

std::int32_t ReadNumber(HKEY root, const std::string& path, const std::string& name)
{
    return ReadSmallValue(root, path, name, 4);
}

std::int32_t ReadByte(HKEY root, const std::string& path, const std::string& name)
{
    return ReadSmallValue(root, path, name, 1);
}

std::string ReadText(HKEY, const std::string& path, const std::string& name)
{
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS) return {};
    constexpr DWORD kBufferSize = 260;
    char buffer[kBufferSize + 1];
    std::memset(buffer, 0, sizeof buffer);
    DWORD size = kBufferSize;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return {};
    // The text is the value's own bytes up to its first zero, never the buffer's padding: empty stays empty.
    const std::size_t held = size < kBufferSize ? size : kBufferSize;
    return std::string(buffer, strnlen(buffer, held));
}

void WriteNumber(HKEY root, const std::string& path, const std::string& name, std::int32_t value)
{
    RegistryKey key;
    if (!CreateKeyOrLog(root, path, key)) return;
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    const BYTE data[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
                          static_cast<BYTE>(bits >> 24)};
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, data, sizeof data);
}

void WriteByte(HKEY root, const std::string& path, const std::string& name, int choice)
{
    RegistryKey key;
    if (RegCreateKeyA(root, path.c_str(), key.Out()) != ERROR_SUCCESS) return;
    const signed char low = static_cast<signed char>(choice & 0xFF);
    const BYTE stored = low == 2 ? 0x02 : low == 1 ? 0x01 : 0x00;
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_BINARY, &stored, 1);
}

void WriteText(HKEY root, const std::string& path, const std::string& name, const std::string& text)
{
    RegistryKey key;
    if (!CreateKeyOrLog(root, path, key)) return;
    // The game reads a 256-byte block: the text, its zero and zero padding. A
    // longer text is written whole rather than cut or read past.
    std::vector<BYTE> block(text.size() + 1 < 256 ? 256 : text.size() + 1, 0);
    std::memcpy(block.data(), text.data(), text.size());
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, block.data(), static_cast<DWORD>(block.size()));
}
