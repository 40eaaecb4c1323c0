// Nothing a player has is lost: Cancel and the close box change nothing at
// all, and OK after a load without a change writes every value back as it was.

#include <gtest/gtest.h>

#include "program_driver.h"
#include "wine_fixtures.h"

namespace {

const std::string kGame = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";
const std::wstring kTitle = L"Vaelmoor: Kervane settings";

std::string Text(const std::string& text)
{
    return text + '\0';
}

class NothingLost : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree("SOFTWARE\\Halcyra Studios");
        CreateDirectoryA("Dict", nullptr);
        for (const char* path : {"Game", "Game\\Images", "Game\\Songs", "Game\\User", "Game\\User\\Resources",
                                 "Game\\User\\Resources\\Skirmish", "Game\\User\\Resources\\Skirmish2", "Game\\Kervane",
                                 "Game\\Kervane\\Legends"})
            CreateDirectoryA(path, nullptr);
        WriteWholeFile("Game\\Images\\General.ilb", "active library");
        WriteWholeFile("Game\\Images\\General_New.ilb", "set-aside library");
        WriteWholeFile("Game\\Songs\\Dawn.mp3", "ID3 dawn");
        WriteWholeFile("Game\\Songs\\March.mp3", "ID3 march");
        WriteWholeFile("Game\\Songs\\Playlist.txt", "March.mp3\nGone.mp3\n");

        const std::string general = kGame + "\\General";
        SetRawValue(general, "Root Directory", REG_SZ, Text(folder.path() + "\\Game"));
        SetRawValue(general, "Resources Name", REG_SZ, Text("User\\Resources\\Skirmish\\"));
        SetRawValue(kGame + "\\Kerv ++  ", "Resources Name", REG_SZ, Text("Kervane\\Legends\\"));
        SetRawValue(kGame + "\\Email", "Local Email address", REG_SZ, Text("warden@vaelmoor.example"));
        SetRawValue(kGame + "\\Email", "SMTP Server", REG_SZ, Text("smtp.vaelmoor.example"));
        SetRawValue(kGame + "\\Email", "Attachment Directory", REG_SZ, Text("C:\\Vaelmoor\\Mail\\"));
        SetRawValue(general, "Movement Speed", REG_BINARY, std::string(1, '\x01'));
        SetRawValue(general, "Combat Resolve Mode", REG_BINARY, std::string(1, '\x02'));
        const struct {
            const char* key;
            const char* name;
            std::uint32_t value;
        } numbers[] = {
            {"Sound", "Sound Effects Enabled", 1},
            {"Sound", "Music Enabled", 0},
            {"Sound", "Use DirectSound", 1},
            {"Sound", "Selection Sounds Enabled", 1},
            {"Sound", "Movement Sounds Enabled", 0},
            {"Sound", "Ambient Sounds Enabled", 1},
            {"Sound", "Dynamic Music Enabled", 0},
            {"Sound", "Custom Play List Enabled", 1},
            {"General", "Show Intro", 0},
            {"General", "Blood", 1},
            {"General", "Autosave Before TC", 1},
            {"General", "Custom Resources", 1},
            {"General", "Language", 3},
            {"General", "Auto Save", 0},
            {"General", "Auto Move", 1},
            {"General", "Default Play Mode", 1},
            {"Kerv ++  ", "Custom Resources", 0},
            {"Video", "Use Direct3D", 1},
            {"Video", "Allow Resolution Switches", 0},
            {"Video", "Display Mode", 0},
            {"Video", "Display Width", 1024},
            {"Video", "Display Height", 768},
            {"Video", "Cursor Mode", 2},
            {"Workspace", "Detail Level", 1},
            {"Workspace", "View Panning", 1},
            {"Workspace", "Center On Event", 0},
            {"Workspace", "Scroll Speed", 2},
        };
        for (const auto& n : numbers) SetDword(kGame + "\\" + n.key, n.name, n.value);
    }
    void TearDown() override { DeleteKeyTree("SOFTWARE\\Halcyra Studios"); }

    void Run(int finish)
    {
        ProgramRun program(folder.path());
        HWND window = program.WaitForWindow(kTitle);
        ASSERT_NE(window, nullptr);
        if (finish == 0) PressCloseBox(window);
        else Click(GetDlgItem(window, finish));
        ASSERT_EQ(program.WaitForExit(), 0);
    }

    ScratchFolder folder;
};

TEST_F(NothingLost, CancelAndTheCloseBoxChangeNothing)
{
    for (int finish : {105, 0}) {
        const auto registry = RegistryTree("SOFTWARE\\Halcyra Studios");
        const auto files = FolderTree(folder.path() + "\\Game");
        Run(finish);
        EXPECT_TRUE(RegistryTree("SOFTWARE\\Halcyra Studios") == registry) << finish;
        EXPECT_TRUE(FolderTree(folder.path() + "\\Game") == files) << finish;
    }
}

TEST_F(NothingLost, OkWithoutAChangeKeepsEveryValue)
{
    const auto before = RegistryTree("SOFTWARE\\Halcyra Studios");
    const auto files = FolderTree(folder.path() + "\\Game");
    Run(104);
    const auto after = RegistryTree("SOFTWARE\\Halcyra Studios");
    ASSERT_EQ(after.size(), before.size()) << "no value added or lost";
    for (const auto& [name, value] : before) {
        const auto found = after.find(name);
        ASSERT_NE(found, after.end()) << name;
        EXPECT_EQ(found->second.type, value.type) << name;
        if (value.type == REG_SZ) {
            // Texts are written as the game's 256-byte block: the same text, zero padded.
            EXPECT_EQ(found->second.data.substr(0, found->second.data.find('\0')),
                      value.data.substr(0, value.data.find('\0')))
                << name;
        } else {
            EXPECT_EQ(found->second.data, value.data) << name;
        }
    }
    EXPECT_TRUE(FolderTree(folder.path() + "\\Game") == files) << "no rename, no playlist change";
}

}  // namespace
