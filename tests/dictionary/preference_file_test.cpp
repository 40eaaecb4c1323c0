#include "dictionary/preference_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>

namespace {

using namespace std::string_literals;

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (IsOpen()) CloseHandle(handle_);
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

Handle OpenForTest(const std::string& path, DWORD access, DWORD share, DWORD disposition = OPEN_EXISTING)
{
    return Handle(CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    const Handle file = OpenForTest(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_TRUE(file.IsOpen()) << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

std::string ReadBytes(const std::string& path)
{
    const Handle file = OpenForTest(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (!file.IsOpen()) return "<cannot open " + path + ">";
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
        return "<cannot read " + path + ">";
    }
    return bytes;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::uint64_t LastWriteTime(const std::string& path)
{
    const Handle file = OpenForTest(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
    FILETIME written{};
    if (!file.IsOpen() || !GetFileTime(file.Get(), nullptr, nullptr, &written)) return 0;
    return (std::uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime;
}

// A time no test run can produce by touching the file.
void BackdateFile(const std::string& path)
{
    const Handle file = OpenForTest(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(file.IsOpen());
    SYSTEMTIME old{};
    old.wYear = 2001;
    old.wMonth = 2;
    old.wDay = 3;
    old.wHour = 4;
    FILETIME time{};
    ASSERT_TRUE(SystemTimeToFileTime(&old, &time));
    ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &time));
}

// Root on Linux writes any file whatever its mode bits, and Wine maps the
// read-only attribute onto those bits only; there the attribute keeps no one
// out, and what the engine does with a truly read-only file cannot be seen.
bool ReadOnlyAttributeEnforced(const std::string& path)
{
    return !OpenForTest(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE).IsOpen();
}

// A folder of its own under the temp directory, removed with all it holds.
class ScratchFolder {
public:
    ScratchFolder()
    {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "kervane-preference-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount64());
        created_ = CreateDirectoryA(path_.c_str(), nullptr);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() { RemoveTree(path_); }

    bool Created() const { return created_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    static void RemoveTree(const std::string& folder)
    {
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string path = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(path);
                    continue;
                }
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
    bool created_ = false;
};

class PreferenceFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.Created()); }
    // The engine's state outlives a test; a failed expectation must not leave
    // a file open for the next one, nor keep the folder from going away.
    void TearDown() override { PreferenceFile::Close(); }

    std::string File(const std::string& name) const { return folder_.File(name); }

private:
    ScratchFolder folder_;
};

const std::string kVideo = "[100]\r\nEN = Video\r\n";

// ---- Reading ---------------------------------------------------------------

TEST_F(PreferenceFileTest, OpenReadsGroupAndEntry)
{
    const std::string path = File("Setup.ini");
    WriteBytes(path, kVideo);
    ASSERT_TRUE(PreferenceFile::Open(path));
    EXPECT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Video");
    EXPECT_EQ(PreferenceFile::ReadString("en", "x"), "Video");
    EXPECT_EQ(PreferenceFile::ReadString("RU", "x"), "x");
    EXPECT_FALSE(PreferenceFile::SelectGroup("101"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "x");
    EXPECT_TRUE(PreferenceFile::Close());
}

struct SmallFileCase {
    const char* label;
    std::string bytes;
    std::string key;
    std::string expected;
};

void PrintTo(const SmallFileCase& c, std::ostream* out)
{
    *out << c.label;
}

class SmallFileTest : public PreferenceFileTest, public testing::WithParamInterface<SmallFileCase> {};

// The first three bytes are read on their own to look for the mark; every
// size around that boundary must still yield the whole text.
TEST_P(SmallFileTest, ReadsWholeText)
{
    const SmallFileCase& c = GetParam();
    const std::string path = File("small.ini");
    WriteBytes(path, c.bytes);
    ASSERT_TRUE(PreferenceFile::Open(path));
    EXPECT_EQ(PreferenceFile::ReadString(c.key, "fallback"), c.expected);
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), c.bytes);
}

// Kept by hand: "\xEF\xBB\xBF" "a" is one string written in two pieces, which ends the
// escape before the a; the formatter would put each piece on a line of its own.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Sizes, SmallFileTest,
    testing::Values(SmallFileCase{"Empty", "", "a", "fallback"}, SmallFileCase{"OneByte", "a", "a", ""},
                    SmallFileCase{"TwoBytes", "ab", "ab", ""}, SmallFileCase{"ThreeBytes", "a=1", "a", "1"},
                    SmallFileCase{"FourBytes", "a = ", "a", ""}, SmallFileCase{"MarkPrefixOnly", "\xEF\xBB", "\xEF\xBB", ""},
                    SmallFileCase{"MarkOnly", "\xEF\xBB\xBF", "a", "fallback"},
                    SmallFileCase{"MarkAndOneByte", "\xEF\xBB\xBF" "a", "a", ""},
                    SmallFileCase{"MarkThenConvertedValue", "\xEF\xBB\xBF" "a=\xC3\xA9", "a", "\xE9"},
                    SmallFileCase{"AlmostMark", "\xEF\xBB\xBE=\xC3\xA9", "\xEF\xBB\xBE", "\xC3\xA9"},
                    SmallFileCase{"ZeroBytes", "\0a=\0b\0"s, "\0a"s, "\0b\0"s}),
    [](const auto& info) { return std::string(info.param.label); });
// clang-format on

TEST_F(PreferenceFileTest, LineEndsOfEveryKind)
{
    const std::string path = File("ends.ini");
    WriteBytes(path, "[100]\nLF = 1\n[200]\rCR = 2\r\r[300]\r\n\r\nCRLF = 3\r\n[400]\n\rLAST = 4");
    ASSERT_TRUE(PreferenceFile::Open(path));
    const std::pair<const char*, const char*> expected[] = {{"100", "LF"},
                                                            {"200", "CR"},
                                                            {"300", "CRLF"},
                                                            {"400", "LAST"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(PreferenceFile::SelectGroup(expected[i].first));
        EXPECT_EQ(PreferenceFile::ReadString(expected[i].second, "x"), std::to_string(i + 1));
    }
}

TEST_F(PreferenceFileTest, Utf8FileReadAndWrittenBackWithMark)
{
    const std::string path = File("utf8.ini");
    WriteBytes(path, "\xEF\xBB\xBF[100]\r\nEN = caf\xC3\xA9\r\nRU = \xD0\x96\r\nSY = \xE2\x82\xAC!\r\n");
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "caf\xE9");
    EXPECT_EQ(PreferenceFile::ReadString("RU", "x"), "?");
    EXPECT_EQ(PreferenceFile::ReadString("SY", "x"), "?!");
    PreferenceFile::WriteString("GE", "\xE9t\xE9");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(
        ReadBytes(path),
        "\xEF\xBB\xBF\r\n[100]\r\nEN = caf\xC3\xA9\r\nRU = \xD0\x96\r\nSY = \xE2\x82\xAC!\r\nGE = \xC3\xA9t\xC3\xA9\r\n");
}

TEST_F(PreferenceFileTest, OpenMissingFileFailsWithoutCreatingIt)
{
    const std::string path = File("missing.ini");
    EXPECT_FALSE(PreferenceFile::Open(path));
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "x");
}

TEST_F(PreferenceFileTest, OpenDirectoryFails)
{
    const std::string path = File("Dict");
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_FALSE(PreferenceFile::Open(path));
}

// One byte past the limit: refused before any of it is read.
TEST_F(PreferenceFileTest, OversizedFileRefused)
{
    const std::string path = File("huge.ini");
    {
        const Handle file = OpenForTest(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
        ASSERT_TRUE(file.IsOpen());
        LONG high = 0;
        ASSERT_NE(SetFilePointer(file.Get(), 256 * 1024 * 1024 + 1, &high, FILE_BEGIN), INVALID_SET_FILE_POINTER);
        ASSERT_TRUE(SetEndOfFile(file.Get()));
    }
    EXPECT_FALSE(PreferenceFile::Open(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
}

// ---- Sharing and read-only files ------------------------------------------

TEST_F(PreferenceFileTest, UnmodifiedCloseLeavesBytesAndTime)
{
    const std::string path = File("untouched.ini");
    const std::string original = "  [100] x\n;comment\nEN=Video  \n\n[200]\rGE";
    WriteBytes(path, original);
    BackdateFile(path);
    const std::uint64_t before = LastWriteTime(path);
    ASSERT_NE(before, 0u);
    ASSERT_TRUE(PreferenceFile::Open(path));
    EXPECT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Video");
    EXPECT_FALSE(PreferenceFile::SelectGroup("300"));
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(LastWriteTime(path), before);
}

TEST_F(PreferenceFileTest, ModifiedCloseWritesCanonicalTextAndCutsOldTail)
{
    const std::string path = File("rewrite.ini");
    WriteBytes(path, "  [100]   trailing words\n;first\n  EN   =    Video     \n\n\n\n[200]\nGE=Bild\n" +
                         std::string(500, ' ') + "\n; end");
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    PreferenceFile::WriteString("en", "V");
    EXPECT_FALSE(PreferenceFile::SelectGroup("300"));
    PreferenceFile::WriteString("RU", "");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), "[100]\r\n; first\r\nen = V\r\n[200]\r\nGE = Bild\r\n; end\r\n[300]\r\nRU = \r\n");
}

TEST_F(PreferenceFileTest, ReadOnlyFileReadButNeverWritten)
{
    const std::string path = File("readonly.ini");
    WriteBytes(path, kVideo);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    if (!ReadOnlyAttributeEnforced(path)) GTEST_SKIP() << "the read-only attribute is not enforced here";
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Video");
    PreferenceFile::WriteString("EN", "Changed");
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Changed");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), kVideo);
}

struct HolderCase {
    const char* label;
    DWORD access;
    DWORD share;
};

void PrintTo(const HolderCase& c, std::ostream* out)
{
    *out << c.label;
}

class HeldFileTest : public PreferenceFileTest, public testing::WithParamInterface<HolderCase> {};

// Another program has the file open in a way that rules out our writing it:
// it is still read, and a change is dropped rather than forced onto it.
TEST_P(HeldFileTest, ReadButNotWritten)
{
    const std::string path = File("held.ini");
    WriteBytes(path, kVideo);
    const Handle holder = OpenForTest(path, GetParam().access, GetParam().share);
    ASSERT_TRUE(holder.IsOpen());
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Video");
    PreferenceFile::WriteString("EN", "Changed");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), kVideo);
}

INSTANTIATE_TEST_SUITE_P(Holders, HeldFileTest,
                         testing::Values(HolderCase{"ReaderNotSharingWrite", GENERIC_READ, FILE_SHARE_READ},
                                         HolderCase{"WriterSharingAll", GENERIC_READ | GENERIC_WRITE,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE}),
                         [](const auto& info) { return std::string(info.param.label); });

// A reader that lets others write does not stand in the way of a write-back.
TEST_F(PreferenceFileTest, ReaderSharingWriteLeavesFileWritable)
{
    const std::string path = File("shared.ini");
    WriteBytes(path, kVideo);
    const Handle holder = OpenForTest(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(holder.IsOpen());
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    PreferenceFile::WriteString("EN", "Changed");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), "[100]\r\nEN = Changed\r\n");
}

TEST_F(PreferenceFileTest, LockedFileCannotBeOpened)
{
    const std::string path = File("locked.ini");
    WriteBytes(path, kVideo);
    const Handle holder = OpenForTest(path, GENERIC_READ, 0);
    ASSERT_TRUE(holder.IsOpen());
    EXPECT_FALSE(PreferenceFile::Open(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "x");
}

TEST_F(PreferenceFileTest, FileStaysOpenUntilClose)
{
    const std::string path = File("kept.ini");
    WriteBytes(path, kVideo);
    ASSERT_TRUE(PreferenceFile::Open(path));
    EXPECT_FALSE(OpenForTest(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE).IsOpen());
    EXPECT_TRUE(OpenForTest(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE).IsOpen());
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_TRUE(OpenForTest(path, GENERIC_WRITE, 0).IsOpen());
}

// ---- Building from scratch -------------------------------------------------

TEST_F(PreferenceFileTest, CreateBuildsGroupsInCallOrder)
{
    const std::string path = File("Setup.ini");
    ASSERT_TRUE(PreferenceFile::Create(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup("100"));
    PreferenceFile::WriteString("EN", "Video");
    PreferenceFile::WriteString("GE", "");
    EXPECT_FALSE(PreferenceFile::SelectGroup("200"));
    PreferenceFile::WriteString("EN", "Audio");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), "[100]\r\nEN = Video\r\nGE = \r\n[200]\r\nEN = Audio\r\n");
}

TEST_F(PreferenceFileTest, CreateWritesExactDictionaryGroup)
{
    const std::string path = File("Setup.ini");
    ASSERT_TRUE(PreferenceFile::Create(path));
    PreferenceFile::SelectGroup("100");
    PreferenceFile::WriteString("EN", "Video");
    PreferenceFile::WriteString("GE", "");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), "[100]\r\nEN = Video\r\nGE = \r\n");
}

TEST_F(PreferenceFileTest, CreateOverUtf8FileWritesPlainText)
{
    const std::string path = File("Setup.ini");
    WriteBytes(path, "\xEF\xBB\xBF[100]\r\nEN = caf\xC3\xA9\r\n");
    ASSERT_TRUE(PreferenceFile::Create(path));
    PreferenceFile::SelectGroup("100");
    PreferenceFile::WriteString("EN", "caf\xE9");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), "[100]\r\nEN = caf\xE9\r\n");
}

TEST_F(PreferenceFileTest, CreateThenCloseEmptiesExistingFile)
{
    const std::string path = File("Setup.ini");
    WriteBytes(path, kVideo);
    ASSERT_TRUE(PreferenceFile::Create(path));
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(PreferenceFileTest, CreateInMissingFolderFails)
{
    const std::string path = File("NoSuchFolder\\Setup.ini");
    EXPECT_FALSE(PreferenceFile::Create(path));
    EXPECT_FALSE(Exists(File("NoSuchFolder")));
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    PreferenceFile::WriteString("EN", "Video");
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "x");
    EXPECT_TRUE(PreferenceFile::Close());
}

TEST_F(PreferenceFileTest, CreateOnReadOnlyFileFails)
{
    const std::string path = File("readonly.ini");
    WriteBytes(path, kVideo);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    if (!ReadOnlyAttributeEnforced(path)) GTEST_SKIP() << "the read-only attribute is not enforced here";
    EXPECT_FALSE(PreferenceFile::Create(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    EXPECT_EQ(ReadBytes(path), kVideo);
}

TEST_F(PreferenceFileTest, CreateOnDirectoryFails)
{
    const std::string path = File("Dict");
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_FALSE(PreferenceFile::Create(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
}

TEST_F(PreferenceFileTest, CreateOnLockedFileFails)
{
    const std::string path = File("locked.ini");
    WriteBytes(path, kVideo);
    {
        const Handle holder = OpenForTest(path, GENERIC_READ, 0);
        ASSERT_TRUE(holder.IsOpen());
        EXPECT_FALSE(PreferenceFile::Create(path));
        EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    }
    EXPECT_EQ(ReadBytes(path), kVideo);
}

// ---- One document at a time ------------------------------------------------

TEST_F(PreferenceFileTest, OpenWritesBackThePreviousDocument)
{
    const std::string first = File("first.ini");
    const std::string second = File("second.ini");
    WriteBytes(second, kVideo);
    ASSERT_TRUE(PreferenceFile::Create(first));
    PreferenceFile::WriteString("top", "1");
    ASSERT_TRUE(PreferenceFile::Open(second));
    EXPECT_EQ(ReadBytes(first), "top = 1\r\n");
    EXPECT_EQ(PreferenceFile::ReadString("top", "x"), "x");
    EXPECT_TRUE(PreferenceFile::SelectGroup("100"));
}

TEST_F(PreferenceFileTest, CreateWritesBackThePreviousDocument)
{
    const std::string first = File("first.ini");
    WriteBytes(first, kVideo);
    ASSERT_TRUE(PreferenceFile::Open(first));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    PreferenceFile::WriteString("GE", "Bild");
    ASSERT_TRUE(PreferenceFile::Create(File("second.ini")));
    EXPECT_EQ(ReadBytes(first), "[100]\r\nEN = Video\r\nGE = Bild\r\n");
    EXPECT_FALSE(PreferenceFile::SelectGroup("100"));
}

TEST_F(PreferenceFileTest, FailedOpenStillClosesThePreviousDocument)
{
    const std::string first = File("first.ini");
    ASSERT_TRUE(PreferenceFile::Create(first));
    PreferenceFile::WriteString("top", "1");
    EXPECT_FALSE(PreferenceFile::Open(File("missing.ini")));
    EXPECT_EQ(ReadBytes(first), "top = 1\r\n");
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    EXPECT_EQ(PreferenceFile::ReadString("top", "x"), "x");
}

TEST_F(PreferenceFileTest, CloseForgetsSelectionAndPendingGroup)
{
    const std::string first = File("first.ini");
    const std::string second = File("second.ini");
    WriteBytes(first, kVideo);
    WriteBytes(second, "EN = top\r\n[100]\r\nEN = Video\r\n");
    ASSERT_TRUE(PreferenceFile::Open(first));
    EXPECT_FALSE(PreferenceFile::SelectGroup("300"));
    EXPECT_TRUE(PreferenceFile::Close());
    ASSERT_TRUE(PreferenceFile::Open(second));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "top");
    PreferenceFile::WriteString("GE", "Bild");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(second), "EN = top\r\nGE = Bild\r\n[100]\r\nEN = Video\r\n");
}

TEST_F(PreferenceFileTest, NothingOpenIsHarmless)
{
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    EXPECT_FALSE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "fallback"), "fallback");
    PreferenceFile::WriteString("EN", "Video");
    EXPECT_TRUE(PreferenceFile::Close());
}

TEST_F(PreferenceFileTest, SecondCloseHasNothingToDo)
{
    const std::string path = File("twice.ini");
    ASSERT_TRUE(PreferenceFile::Create(path));
    PreferenceFile::WriteString("EN", "Video");
    EXPECT_TRUE(PreferenceFile::Close());
    WriteBytes(path, "changed elsewhere");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(ReadBytes(path), "changed elsewhere");
}

}  // namespace
