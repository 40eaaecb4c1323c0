// The editor where Wine tells it that it runs on Windows XP. It proves little
// about XP itself (Wine's DLLs stay those of a newer Windows); it catches
// code that asks for the Windows version and takes another way on XP.

#include <winternl.h>

#include "e2e_fixture.h"

namespace {

// Wine's version for one program, for the starts of it while this lives.
class WineVersionFor {
public:
    WineVersionFor(const std::string& exe, const std::string& version) : key_(kAppDefaults + exe)
    {
        SetText(key_, "Version", version);
    }
    ~WineVersionFor() { DeleteKeyTree(key_); }
    WineVersionFor(const WineVersionFor&) = delete;
    WineVersionFor& operator=(const WineVersionFor&) = delete;

private:
    static constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\";
    std::string key_;
};

// The Windows version a process was given, from its process environment
// block, where GetVersionEx reads it: OSMajorVersion and OSMinorVersion lie at
// 0xA4 and 0xA8 in a 32-bit one.
std::pair<DWORD, DWORD> WindowsVersionOf(HANDLE process)
{
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return {};
    DWORD version[2] = {};
    if (!ReadProcessMemory(process, static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress)) + 0xA4, version,
                           sizeof version, nullptr))
        return {};
    return {version[0], version[1]};
}

class WindowsXp : public EndToEnd {};

TEST_F(WindowsXp, StartsRebuildsItsDictionaryListsRulesAndOkWrites)
{
    const WineVersionFor xp("KervaneSettings.exe", "winxp");
    ExpectFirstStartWorks([&](HWND) {
        EXPECT_EQ(WindowsVersionOf(RunningProcess()), (std::pair<DWORD, DWORD>{5, 1})) << "not XP";
    });
}

}  // namespace
