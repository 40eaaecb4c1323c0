// Nothing a player has is lost: Cancel and the close box change nothing at
// all, and OK after a load without a change writes every value back as it was.

#include "e2e_fixture.h"

namespace {

class NothingLost : public EndToEnd {
protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        MakeGameFolders(
            {"Images", "Songs", "User\\Resources\\Skirmish", "User\\Resources\\Skirmish2", "Kervane\\Legends"});
        WriteWholeFile("Game\\Images\\General.ilb", "active library");
        WriteWholeFile("Game\\Images\\General_New.ilb", "set-aside library");
        WriteWholeFile("Game\\Songs\\Dawn.mp3", "ID3 dawn");
        WriteWholeFile("Game\\Songs\\March.mp3", "ID3 march");
        WriteWholeFile("Game\\Songs\\Playlist.txt", "March.mp3\nGone.mp3\n");

        const std::string general = kSettingsKey + "\\General";
        SetText(general, "Root Directory", GameFolder());
        SetText(general, "Resources Name", "User\\Resources\\Skirmish\\");
        SetText(kSettingsKey + "\\Kerv ++  ", "Resources Name", "Kervane\\Legends\\");
        SetText(kSettingsKey + "\\Email", "Local Email address", "warden@vaelmoor.example");
        SetText(kSettingsKey + "\\Email", "SMTP Server", "smtp.vaelmoor.example");
        SetText(kSettingsKey + "\\Email", "Attachment Directory", "C:\\Vaelmoor\\Mail\\");
        SetRawValue(general, "Movement Speed", REG_BINARY, std::string(1, '\x01'));
        SetRawValue(general, "Combat Resolve Mode", REG_BINARY, std::string(1, '\x02'));
        // clang-format off
        const struct {
            const char* key;
            const char* name;
            std::uint32_t value;
        } numbers[] = {
            {"Sound", "Sound Effects Enabled", 1}, {"Sound", "Music Enabled", 0}, {"Sound", "Use DirectSound", 1},
            {"Sound", "Selection Sounds Enabled", 1}, {"Sound", "Movement Sounds Enabled", 0},
            {"Sound", "Ambient Sounds Enabled", 1}, {"Sound", "Dynamic Music Enabled", 0},
            {"Sound", "Custom Play List Enabled", 1},
            {"General", "Show Intro", 0}, {"General", "Blood", 1}, {"General", "Autosave Before TC", 1},
            {"General", "Custom Resources", 1}, {"General", "Language", 3}, {"General", "Auto Save", 0},
            {"General", "Auto Move", 1}, {"General", "Default Play Mode", 1}, {"Kerv ++  ", "Custom Resources", 0},
            {"Video", "Use Direct3D", 1}, {"Video", "Allow Resolution Switches", 0}, {"Video", "Display Mode", 0},
            {"Video", "Display Width", 1024}, {"Video", "Display Height", 768}, {"Video", "Cursor Mode", 2},
            {"Workspace", "Detail Level", 1}, {"Workspace", "View Panning", 1}, {"Workspace", "Center On Event", 0},
            {"Workspace", "Scroll Speed", 2},
        };
        // clang-format on
        for (const auto& n : numbers) SetDword(kSettingsKey + "\\" + n.key, n.name, n.value);
    }
};

TEST_F(NothingLost, CancelAndTheCloseBoxChangeNothing)
{
    for (ControlId finish : {kCancel, kCloseBox}) {
        const auto registry = RegistryTree(kCompanyKey);
        const auto files = FolderTree(GameFolder());
        Run([](HWND) {}, finish);
        EXPECT_TRUE(RegistryTree(kCompanyKey) == registry) << finish;
        EXPECT_TRUE(FolderTree(GameFolder()) == files) << finish;
    }
}

TEST_F(NothingLost, OkWithoutAChangeKeepsEveryValue)
{
    const auto before = RegistryTree(kCompanyKey);
    const auto files = FolderTree(GameFolder());
    Run([](HWND) {});
    const auto after = RegistryTree(kCompanyKey);
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
    EXPECT_TRUE(FolderTree(GameFolder()) == files) << "no rename, no playlist change";
}

}  // namespace
