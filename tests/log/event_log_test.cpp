#include "log/event_log.h"

#include <gtest/gtest.h>

#include "app/process_values.h"
#include "wine_fixtures.h"

namespace {

using EventLog = ScratchFolderTest;

bool HasTimeStampShape(const std::string& line)
{
    // dd/mm/yyyy - hh:ii:ss - Event:
    if (line.size() < 33) return false;
    for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 8u, 9u, 13u, 14u, 16u, 17u, 19u, 20u})
        if (!isdigit(static_cast<unsigned char>(line[i]))) return false;
    return line.substr(2, 1) == "/" && line.substr(5, 1) == "/" && line.substr(10, 3) == " - " &&
           line.substr(15, 1) == ":" && line.substr(18, 1) == ":" && line.substr(21, 10) == " - Event: ";
}

// The log is only ever appended to, however large it grew: a line goes after
// an end past 4 GiB, never over the first bytes. The file is sparse.
TEST_F(EventLog, AppendsPastFourGibibytes)
{
    constexpr LONGLONG kEnd = 0x100000000LL + 10;
    {
        const FileHandle log(CreateFileA("Setup.log", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(log.IsOpen());
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(log.Get(), "first line", 10, &written, nullptr));
        LARGE_INTEGER end{};
        end.QuadPart = kEnd;
        ASSERT_TRUE(SetFilePointerEx(log.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(log.Get()));
    }
    LogEvent("past 4 GiB");
    const FileHandle log(CreateFileA("Setup.log", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(log.IsOpen());
    LARGE_INTEGER size{};
    ASSERT_TRUE(GetFileSizeEx(log.Get(), &size));
    EXPECT_EQ(size.QuadPart, kEnd + 31 + 10 + 2);
    char first[10] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(log.Get(), first, sizeof first, &read, nullptr));
    EXPECT_EQ(std::string(first, read), "first line");
    LARGE_INTEGER line{};
    line.QuadPart = kEnd + 31;
    char text[12] = {};
    ASSERT_TRUE(SetFilePointerEx(log.Get(), line, nullptr, FILE_BEGIN));
    ASSERT_TRUE(ReadFile(log.Get(), text, sizeof text, &read, nullptr));
    EXPECT_EQ(std::string(text, read), "past 4 GiB\r\n");
}

TEST_F(EventLog, FirstLineCreatesTheFile)
{
    LogEvent("INI-file rebuilded!");
    const auto log = FileBytes("Setup.log");
    ASSERT_TRUE(log);
    EXPECT_TRUE(HasTimeStampShape(*log)) << *log;
    EXPECT_EQ(log->substr(31), "INI-file rebuilded!\r\n");
}

TEST_F(EventLog, StampIsLocalTime)
{
    SYSTEMTIME before;
    GetLocalTime(&before);
    LogEvent("x");
    const auto log = FileBytes("Setup.log");
    ASSERT_TRUE(log);
    char day[3] = {(*log)[0], (*log)[1], 0};
    char hour[3] = {(*log)[13], (*log)[14], 0};
    EXPECT_EQ(atoi(day), before.wDay);
    // The hour may roll over between the two readings only at the full hour.
    const int logged = atoi(hour);
    EXPECT_TRUE(logged == before.wHour || logged == (before.wHour + 1) % 24);
}

TEST_F(EventLog, AppendsAfterExistingBytesEvenWithoutLineEnd)
{
    WriteWholeFile("Setup.log", "older line\r\nunfinished");
    LogEvent("next");
    LogEvent("");
    const auto log = FileBytes("Setup.log");
    ASSERT_TRUE(log);
    ASSERT_EQ(log->substr(0, 22), "older line\r\nunfinished");
    const std::string appended = log->substr(22);
    ASSERT_EQ(appended.size(), 31u + 4u + 2u + 31u + 2u);
    EXPECT_TRUE(HasTimeStampShape(appended));
    EXPECT_EQ(appended.substr(31, 6), "next\r\n");
    EXPECT_EQ(appended.substr(37 + 21, 12), " - Event: \r\n");
}

TEST_F(EventLog, ReadOnlyLogIsLeftAloneSilently)
{
    WriteWholeFile("Setup.log", "kept");
    SetFileAttributesA("Setup.log", FILE_ATTRIBUTE_READONLY);
    LogEvent("dropped");
    EXPECT_EQ(FileBytes("Setup.log"), "kept");
}

TEST_F(EventLog, LogHeldOpenForWritingByAnotherProgramDropsTheLine)
{
    WriteWholeFile("Setup.log", "kept");
    HANDLE other = CreateFileA("Setup.log", GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    LogEvent("dropped");
    CloseHandle(other);
    EXPECT_EQ(FileBytes("Setup.log"), "kept");
}

TEST_F(EventLog, ReadersMayWatchTheLogWhileItGrows)
{
    HANDLE viewer = CreateFileA("Setup.log", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW, 0,
                                nullptr);
    ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
    LogEvent("seen");
    CloseHandle(viewer);
    const auto log = FileBytes("Setup.log");
    ASSERT_TRUE(log);
    EXPECT_EQ(log->substr(31), "seen\r\n");
}

TEST_F(EventLog, VanishedFolderDropsTheLine)
{
    LogPath = "Gone\\Setup.log";
    LogEvent("dropped");
    EXPECT_FALSE(FileBytes("Gone\\Setup.log"));
}

}  // namespace
