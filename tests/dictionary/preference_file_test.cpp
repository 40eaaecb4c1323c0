#include "dictionary/preference_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>

#include "wine_fixtures.h"

namespace {

using namespace std::string_literals;

FileHandle OpenForTest(const std::string& path, DWORD access, DWORD share)
{
    return FileHandle(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::uint64_t LastWriteTime(const std::string& path)
{
    const FileHandle file = OpenForTest(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
    FILETIME written{};
    if (!file.IsOpen() || !GetFileTime(file.Get(), nullptr, nullptr, &written)) return 0;
    return (std::uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime;
}

// A time no test run can produce by touching the file.
void BackdateFile(const std::string& path)
{
    const FileHandle file = OpenForTest(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
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

class PreferenceFileTest : public ScratchFolderTest {
protected:
    // The engine's state outlives a test; a failed expectation must not leave
    // a file open for the next one, nor keep the folder from going away.
    void TearDown() override { PreferenceFile::Close(); }

    std::string File(const std::string& name) const { return folder.File(name); }
    // A file of the scratch folder that holds these bytes.
    std::string Written(const std::string& name, const std::string& bytes) const
    {
        std::string path = File(name);
        WriteWholeFile(path, bytes);
        return path;
    }
};

const std::string kVideo = "[100]\r\nEN = Video\r\n";

// ---- Reading ---------------------------------------------------------------

TEST_F(PreferenceFileTest, OpenReadsGroupAndEntry)
{
    const std::string path = Written("Setup.ini", kVideo);
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

// Every size around the three bytes of the mark yields the whole text.
TEST_P(SmallFileTest, ReadsWholeText)
{
    const SmallFileCase& c = GetParam();
    const std::string path = Written("small.ini", c.bytes);
    ASSERT_TRUE(PreferenceFile::Open(path));
    EXPECT_EQ(PreferenceFile::ReadString(c.key, "fallback"), c.expected);
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), c.bytes);
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
                    SmallFileCase{"ZeroByteEndsTheText", "a=1\0b=2"s, "b", "fallback"}),
    [](const auto& info) { return std::string(info.param.label); });
// clang-format on

TEST_F(PreferenceFileTest, LineEndsOfEveryKind)
{
    const std::string path = Written("ends.ini",
                                     "[100]\nLF = 1\n[200]\rCR = 2\r\r[300]\r\n\r\nCRLF = 3\r\n[400]\n\rLAST = 4");
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
    const std::string path =
        Written("utf8.ini", "\xEF\xBB\xBF[100]\r\nEN = caf\xC3\xA9\r\nRU = \xD0\x96\r\nSY = \xE2\x82\xAC!\r\n");
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "caf\xE9");
    EXPECT_EQ(PreferenceFile::ReadString("RU", "x"), "?");
    EXPECT_EQ(PreferenceFile::ReadString("SY", "x"), "?!");
    PreferenceFile::WriteString("GE", "\xE9t\xE9");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(
        FileBytes(path),
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
        const FileHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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
    WriteWholeFile(path, original);
    BackdateFile(path);
    const std::uint64_t before = LastWriteTime(path);
    ASSERT_NE(before, 0u);
    ASSERT_TRUE(PreferenceFile::Open(path));
    EXPECT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Video");
    EXPECT_FALSE(PreferenceFile::SelectGroup("300"));
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), original);
    EXPECT_EQ(LastWriteTime(path), before);
}

TEST_F(PreferenceFileTest, ModifiedCloseWritesCanonicalTextAndCutsOldTail)
{
    const std::string path = File("rewrite.ini");
    WriteWholeFile(path, "  [100]   trailing words\n;first\n  EN   =    Video     \n\n\n\n[200]\nGE=Bild\n" +
                             std::string(500, ' ') + "\n; end");
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    PreferenceFile::WriteString("en", "V");
    EXPECT_FALSE(PreferenceFile::SelectGroup("300"));
    PreferenceFile::WriteString("RU", "");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), "[100]\r\n; first\r\nen = V\r\n[200]\r\nGE = Bild\r\n; end\r\n[300]\r\nRU = \r\n");
}

TEST_F(PreferenceFileTest, ReadOnlyFileReadButNeverWritten)
{
    const std::string path = Written("readonly.ini", kVideo);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    if (!ReadOnlyAttributeEnforced(path)) GTEST_SKIP() << "the read-only attribute is not enforced here";
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Video");
    PreferenceFile::WriteString("EN", "Changed");
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Changed");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), kVideo);
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
    const std::string path = Written("held.ini", kVideo);
    const FileHandle holder = OpenForTest(path, GetParam().access, GetParam().share);
    ASSERT_TRUE(holder.IsOpen());
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "Video");
    PreferenceFile::WriteString("EN", "Changed");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), kVideo);
}

INSTANTIATE_TEST_SUITE_P(Holders, HeldFileTest,
                         testing::Values(HolderCase{"ReaderNotSharingWrite", GENERIC_READ, FILE_SHARE_READ},
                                         HolderCase{"WriterSharingAll", GENERIC_READ | GENERIC_WRITE,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE}),
                         [](const auto& info) { return std::string(info.param.label); });

// A reader that lets others write does not stand in the way of a write-back.
TEST_F(PreferenceFileTest, ReaderSharingWriteLeavesFileWritable)
{
    const std::string path = Written("shared.ini", kVideo);
    const FileHandle holder = OpenForTest(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(holder.IsOpen());
    ASSERT_TRUE(PreferenceFile::Open(path));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    PreferenceFile::WriteString("EN", "Changed");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), "[100]\r\nEN = Changed\r\n");
}

TEST_F(PreferenceFileTest, LockedFileCannotBeOpened)
{
    const std::string path = Written("locked.ini", kVideo);
    const FileHandle holder = OpenForTest(path, GENERIC_READ, 0);
    ASSERT_TRUE(holder.IsOpen());
    EXPECT_FALSE(PreferenceFile::Open(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup("100"));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "x");
}

TEST_F(PreferenceFileTest, FileStaysOpenUntilClose)
{
    const std::string path = Written("kept.ini", kVideo);
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
    EXPECT_EQ(FileBytes(path), "[100]\r\nEN = Video\r\nGE = \r\n[200]\r\nEN = Audio\r\n");
}

TEST_F(PreferenceFileTest, CreateWritesExactDictionaryGroup)
{
    const std::string path = File("Setup.ini");
    ASSERT_TRUE(PreferenceFile::Create(path));
    PreferenceFile::SelectGroup("100");
    PreferenceFile::WriteString("EN", "Video");
    PreferenceFile::WriteString("GE", "");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), "[100]\r\nEN = Video\r\nGE = \r\n");
}

TEST_F(PreferenceFileTest, CreateOverUtf8FileWritesPlainText)
{
    const std::string path = Written("Setup.ini", "\xEF\xBB\xBF[100]\r\nEN = caf\xC3\xA9\r\n");
    ASSERT_TRUE(PreferenceFile::Create(path));
    PreferenceFile::SelectGroup("100");
    PreferenceFile::WriteString("EN", "caf\xE9");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), "[100]\r\nEN = caf\xE9\r\n");
}

TEST_F(PreferenceFileTest, CreateThenCloseEmptiesExistingFile)
{
    const std::string path = Written("Setup.ini", kVideo);
    ASSERT_TRUE(PreferenceFile::Create(path));
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(FileBytes(path), "");
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
    const std::string path = Written("readonly.ini", kVideo);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    if (!ReadOnlyAttributeEnforced(path)) GTEST_SKIP() << "the read-only attribute is not enforced here";
    EXPECT_FALSE(PreferenceFile::Create(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    EXPECT_EQ(FileBytes(path), kVideo);
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
    const std::string path = Written("locked.ini", kVideo);
    {
        const FileHandle holder = OpenForTest(path, GENERIC_READ, 0);
        ASSERT_TRUE(holder.IsOpen());
        EXPECT_FALSE(PreferenceFile::Create(path));
        EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    }
    EXPECT_EQ(FileBytes(path), kVideo);
}

// ---- One document at a time ------------------------------------------------

TEST_F(PreferenceFileTest, OpenWritesBackThePreviousDocument)
{
    const std::string first = File("first.ini");
    const std::string second = File("second.ini");
    WriteWholeFile(second, kVideo);
    ASSERT_TRUE(PreferenceFile::Create(first));
    PreferenceFile::WriteString("top", "1");
    ASSERT_TRUE(PreferenceFile::Open(second));
    EXPECT_EQ(FileBytes(first), "top = 1\r\n");
    EXPECT_EQ(PreferenceFile::ReadString("top", "x"), "x");
    EXPECT_TRUE(PreferenceFile::SelectGroup("100"));
}

TEST_F(PreferenceFileTest, CreateWritesBackThePreviousDocument)
{
    const std::string first = File("first.ini");
    WriteWholeFile(first, kVideo);
    ASSERT_TRUE(PreferenceFile::Open(first));
    ASSERT_TRUE(PreferenceFile::SelectGroup("100"));
    PreferenceFile::WriteString("GE", "Bild");
    ASSERT_TRUE(PreferenceFile::Create(File("second.ini")));
    EXPECT_EQ(FileBytes(first), "[100]\r\nEN = Video\r\nGE = Bild\r\n");
    EXPECT_FALSE(PreferenceFile::SelectGroup("100"));
}

TEST_F(PreferenceFileTest, FailedOpenStillClosesThePreviousDocument)
{
    const std::string first = File("first.ini");
    ASSERT_TRUE(PreferenceFile::Create(first));
    PreferenceFile::WriteString("top", "1");
    EXPECT_FALSE(PreferenceFile::Open(File("missing.ini")));
    EXPECT_EQ(FileBytes(first), "top = 1\r\n");
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    EXPECT_EQ(PreferenceFile::ReadString("top", "x"), "x");
}

TEST_F(PreferenceFileTest, CloseForgetsSelectionAndPendingGroup)
{
    const std::string first = File("first.ini");
    const std::string second = File("second.ini");
    WriteWholeFile(first, kVideo);
    WriteWholeFile(second, "EN = top\r\n[100]\r\nEN = Video\r\n");
    ASSERT_TRUE(PreferenceFile::Open(first));
    EXPECT_FALSE(PreferenceFile::SelectGroup("300"));
    EXPECT_TRUE(PreferenceFile::Close());
    ASSERT_TRUE(PreferenceFile::Open(second));
    EXPECT_EQ(PreferenceFile::ReadString("EN", "x"), "top");
    PreferenceFile::WriteString("GE", "Bild");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(second), "EN = top\r\nGE = Bild\r\n[100]\r\nEN = Video\r\n");
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
    WriteWholeFile(path, "changed elsewhere");
    EXPECT_TRUE(PreferenceFile::Close());
    EXPECT_EQ(FileBytes(path), "changed elsewhere");
}

}  // namespace
