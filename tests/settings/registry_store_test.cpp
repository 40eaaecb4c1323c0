#include "settings/registry_store.h"

#include <gtest/gtest.h>

#include "app/process_values.h"
#include "wine_fixtures.h"

namespace {

const std::string kBase = "SOFTWARE\\KervaneSettings Tests\\Store";

class RegistryStore : public ScratchFolderTest {  // Setup.log lands in the folder
protected:
    void SetUp() override
    {
        ScratchFolderTest::SetUp();
        DeleteKeyTree("SOFTWARE\\KervaneSettings Tests");
    }
    void TearDown() override { DeleteKeyTree("SOFTWARE\\KervaneSettings Tests"); }
};

TEST_F(RegistryStore, NumberAndByteSentinels)
{
    SetDword(kBase, "All ones", 0xFFFFFFFFu);
    SetDword(kBase, "Seven", 7);
    SetRawValue(kBase, "One byte", REG_BINARY, std::string("\xC8", 1));
    SetRawValue(kBase, "Two bytes", REG_BINARY, std::string("\x34\x12", 2));
    SetRawValue(kBase, "Five bytes", REG_BINARY, std::string("\x01\x02\x03\x04\x05", 5));

    const struct {
        const char* path;
        const char* name;
        std::int32_t number;
        std::int32_t byte;
    } cases[] = {
        {"SOFTWARE\\KervaneSettings Tests\\Missing", "Seven", 0, 0},  // key cannot be opened
        {kBase.c_str(), "Missing", -1, -1},                           // value cannot be read
        {kBase.c_str(), "All ones", -1, -1},                          // indistinguishable from a missing value
        {kBase.c_str(), "Seven", 7, -1},                              // a number is too long for the byte area
        {kBase.c_str(), "One byte", 200, 200},                        // taken as 0-255, whatever its type
        {kBase.c_str(), "Two bytes", 0x1234, -1},                     // fills the low-order bytes only
        {kBase.c_str(), "Five bytes", -1, -1},                        // too long for both areas
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, c.path, c.name), c.number) << c.name;
        EXPECT_EQ(ReadByte(HKEY_CURRENT_USER, c.path, c.name), c.byte) << c.name;
    }
}

TEST_F(RegistryStore, TextLengthLimits)
{
    const std::string text259(259, 'a');
    const std::string text260(260, 'b');
    SetText(kBase, "259", text259);
    SetText(kBase, "260", text260);
    SetRawValue(kBase, "No zero", REG_BINARY, "D:\\Mail");
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kBase, "259"), text259);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kBase, "260"), "");
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kBase, "Missing"), "");
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kBase + "\\Missing", "259"), "");
    // A value stored without its zero ends with its own data, not padding.
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kBase, "No zero"), "D:\\Mail");
}

TEST_F(RegistryStore, TextIsAlwaysReadFromCurrentUser)
{
    SetText(kBase, "Root Directory", "C:\\Games\\Vaelmoor");
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kBase, "Root Directory"), "C:\\Games\\Vaelmoor");
}

TEST_F(RegistryStore, WritesStoreTheDescribedBytes)
{
    const std::string path = kBase + "\\Deeper\\Kerv ++  ";  // parents created; the two blanks belong to the name
    WriteNumber(HKEY_CURRENT_USER, path, "Number", -2);
    WriteText(HKEY_CURRENT_USER, path, "Text", "User\\Resources\\Skirmish\\");
    WriteByte(HKEY_CURRENT_USER, path, "Byte", 2);

    EXPECT_EQ(ReadRawValue(path, "Number"), (RawValue{REG_DWORD, std::string("\xFE\xFF\xFF\xFF", 4)}));
    EXPECT_EQ(ReadRawValue(path, "Text"), (RawValue{REG_SZ, TextBlock("User\\Resources\\Skirmish\\")}));
    EXPECT_EQ(ReadRawValue(path, "Byte"), (RawValue{REG_BINARY, std::string("\x02", 1)}));

    EXPECT_TRUE(KeyExists("SOFTWARE\\KervaneSettings Tests\\Store\\Deeper\\Kerv ++  "));
    EXPECT_FALSE(KeyExists("SOFTWARE\\KervaneSettings Tests\\Store\\Deeper\\Kerv ++"));
}

TEST_F(RegistryStore, ByteChoiceKeepsOnlyOneAndTwo)
{
    const struct {
        int choice;
        char stored;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}, {0x102, 2}, {0x201, 1}, {-254, 2}};
    for (const auto& c : cases) {
        WriteByte(HKEY_CURRENT_USER, kBase, "Choice", c.choice);
        const auto value = ReadRawValue(kBase, "Choice");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->data, std::string(1, c.stored)) << c.choice;
    }
}

TEST_F(RegistryStore, LongTextIsWrittenWhole)
{
    const std::string longText(300, 'x');
    WriteText(HKEY_CURRENT_USER, kBase, "Long", longText);
    const auto value = ReadRawValue(kBase, "Long");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data, WithZero(longText));

    const std::string text255(255, 'y');
    WriteText(HKEY_CURRENT_USER, kBase, "Exactly", text255);
    EXPECT_EQ(ReadRawValue(kBase, "Exactly")->data, WithZero(text255));
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kBase, "Exactly"), text255);
}

TEST_F(RegistryStore, UncreatableKeyLogsOneLineAndLaterWritesRun)
{
    // A key name is at most 255 characters long, so this key cannot be created.
    const std::string broken = "SOFTWARE\\KervaneSettings Tests\\" + std::string(300, 'k');
    WriteNumber(HKEY_CURRENT_USER, broken, "Music Enabled", 1);
    WriteText(HKEY_CURRENT_USER, broken, "SMTP Server", "smtp");
    WriteByte(HKEY_CURRENT_USER, broken, "Movement Speed", 1);  // silent
    WriteNumber(HKEY_CURRENT_USER, kBase, "After", 5);

    const std::vector<std::string> expected = {"Can't write registry setting to " + broken + "!",
                                               "Can't write registry setting to " + broken + "!"};
    EXPECT_EQ(LogEvents(), expected);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kBase, "After"), 5);
}

}  // namespace
