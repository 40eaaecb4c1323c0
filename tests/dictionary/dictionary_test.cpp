#include "dictionary/dictionary.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/process_values.h"
#include "wine_fixtures.h"

namespace {

const std::string kRussianVideo = "\xC2\xE8\xE4\xE5\xEE";  // "Видео" in Windows-1251

class Dictionary : public ScratchFolderTest {
protected:
    void SetUp() override
    {
        ScratchFolderTest::SetUp();
        CreateDirectoryA("Dict", nullptr);
    }
};

using Lines = std::vector<std::string>;

TEST_F(Dictionary, LookupReadsTheCurrentLanguage)
{
    WriteWholeFile("Dict\\Setup.ini",
                   "[100]\r\nEN = Video\r\nRU = " + kRussianVideo +
                       "\r\nGE = \r\nCHs = Simplified\r\n[32A]\r\nen = Low\r\n[ 32b ]\r\nEN = Medium\r\n");
    const struct {
        const char* language;
        const char* key;
        std::string expected;
    } cases[] = {
        {"EN", "100", "Video"},
        {"RU", "100", kRussianVideo},
        {"GE", "100", ""},          // an empty entry is an empty text, not the fallback
        {"CH", "100", "fallback"},  // "CH" is not "CHs"
        {"CHs", "100", "Simplified"},
        {"EN", "32a", "Low"},       // group and entry names ignore the case of letters
        {"EN", "32b", "fallback"},  // blanks inside the brackets belong to the name
        {"EN", "101", "fallback"},  // no group
        {"FR", "32a", "fallback"},  // no entry
    };
    for (const auto& c : cases) {
        LanguageCode = c.language;
        EXPECT_EQ(LookupText(c.key, "fallback"), c.expected) << c.language << " " << c.key;
    }
    EXPECT_EQ(LogEvents(), Lines{}) << "found or not, an open dictionary logs nothing";
}

TEST_F(Dictionary, EveryLookupReadsTheFileAnew)
{
    WriteWholeFile("Dict\\Setup.ini", "[100]\r\nEN = Video\r\n");
    EXPECT_EQ(LookupText("100", "x"), "Video");
    WriteWholeFile("Dict\\Setup.ini", "[100]\r\nEN = Picture\r\n");
    EXPECT_EQ(LookupText("100", "x"), "Picture");
}

TEST_F(Dictionary, UnopenableDictionaryLogsOneLinePerLookup)
{
    EXPECT_EQ(LookupText("Er1txt", "Can't start DirectX! Please, try original file!"),
              "Can't start DirectX! Please, try original file!");
    EXPECT_EQ(LookupText("Er1", "Error!"), "Error!");
    EXPECT_EQ(LogEvents(), (Lines{"INI-file not found! Key Er1txt missed!", "INI-file not found! Key Er1 missed!"}));

    WriteWholeFile("Dict\\Setup.ini", "[100]\r\nEN = Video\r\n");
    HANDLE locker = CreateFileA("Dict\\Setup.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locker, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LookupText("100", "Video?"), "Video?");
    CloseHandle(locker);
    EXPECT_EQ(LogEvents().back(), "INI-file not found! Key 100 missed!");
}

TEST_F(Dictionary, RebuildsAMissingOrEmptyFile)
{
    const auto reference = FileBytes(HostPath(KERVANE_REFERENCE_DICTIONARY));
    ASSERT_TRUE(reference);
    for (bool empty : {false, true}) {
        if (empty) WriteWholeFile("Dict\\Setup.ini", "");
        else DeleteFileA("Dict\\Setup.ini");
        DeleteFileA("Setup.log");
        EnsureDictionary();
        EXPECT_TRUE(FileBytes("Dict\\Setup.ini") == reference) << (empty ? "empty" : "missing");
        EXPECT_EQ(LogEvents(), (Lines{"INI-file not found! Trying to rebuild it!", "INI-file rebuilded!"}));
    }

    LanguageCode = "EN";
    EXPECT_EQ(LookupText("104hlp", "fallback"), "") << "English tooltips are empty, not the fallback";
    EXPECT_EQ(LookupText("39b", "Avto"), "Avtobattle only");
    LanguageCode = "GE";
    EXPECT_EQ(LookupText("100", "Video"), "");
    LanguageCode = "RU";
    EXPECT_EQ(LookupText("100", "Video"), kRussianVideo);
}

TEST_F(Dictionary, ExistingNonEmptyFileIsLeftAlone)
{
    WriteWholeFile("Dict\\Setup.ini", "x");
    EnsureDictionary();
    EXPECT_EQ(FileBytes("Dict\\Setup.ini"), "x");
    EXPECT_EQ(LogEvents(), Lines{});
    EXPECT_EQ(LookupText("100", "Video"), "Video");
}

TEST_F(Dictionary, RebuildThatCannotCreateTheFileIsLogged)
{
    const Lines failed = {"INI-file not found! Trying to rebuild it!", "Error! Can't rebuild ini-file!"};

    CreateDirectoryA("Dict\\Setup.ini", nullptr);  // a folder in the file's place
    EnsureDictionary();
    EXPECT_EQ(LogEvents(), failed);
    RemoveDirectoryA("Dict\\Setup.ini");

    DeleteFileA("Setup.log");
    WriteWholeFile("Dict\\Setup.ini", "");
    SetFileAttributesA("Dict\\Setup.ini", FILE_ATTRIBUTE_READONLY);
    EnsureDictionary();
    EXPECT_EQ(LogEvents(), failed) << "an empty read-only file";
    EXPECT_EQ(FileBytes("Dict\\Setup.ini"), "");
    SetFileAttributesA("Dict\\Setup.ini", FILE_ATTRIBUTE_NORMAL);
    DeleteFileA("Dict\\Setup.ini");

    DeleteFileA("Setup.log");
    RemoveDirectoryA("Dict");
    EnsureDictionary();
    EXPECT_EQ(LogEvents(), failed);
    EXPECT_FALSE(FileBytes("Dict\\Setup.ini"));
}

TEST_F(Dictionary, RebuildThatFillsTheDiskIsCutBackToNothing)
{
    // A file system with room for part of the dictionary only.
    const char* disk = std::getenv("KERVANE_SMALL_DISK");
    ASSERT_NE(disk, nullptr);
    const std::string folder = HostPath(disk);
    const auto reference = FileBytes(HostPath(KERVANE_REFERENCE_DICTIONARY));
    ASSERT_TRUE(reference);
    ULARGE_INTEGER room{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(folder.c_str(), &room, nullptr, nullptr));
    ASSERT_GT(room.QuadPart, 0u);
    ASSERT_LT(room.QuadPart, reference->size()) << "scripts/test mounts an 8 KiB file system at " << disk;

    // An empty dictionary that another program, as a virus scanner does,
    // holds open while the rebuild writes it.
    DictionaryPath = folder + "\\Setup.ini";
    WriteWholeFile(DictionaryPath, "");
    HANDLE scanner = CreateFileA(DictionaryPath.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    ASSERT_NE(scanner, INVALID_HANDLE_VALUE);
    EnsureDictionary();
    LARGE_INTEGER size{};
    EXPECT_TRUE(GetFileSizeEx(scanner, &size));
    CloseHandle(scanner);
    EXPECT_EQ(size.QuadPart, 0) << "the next start must find it empty and rebuild it";
    EXPECT_EQ(LogEvents(), (Lines{"INI-file not found! Trying to rebuild it!", "Error! Can't rebuild ini-file!"}));
    DeleteFileA(DictionaryPath.c_str());
}

}  // namespace
