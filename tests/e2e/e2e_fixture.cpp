#include "e2e_fixture.h"

void EndToEnd::SetUp()
{
    DeleteKeyTree(kCompanyKey);
    CreateDirectoryA("Dict", nullptr);
    CreateDirectoryA("Game", nullptr);
}

void EndToEnd::TearDown()
{
    DeleteKeyTree(kCompanyKey);
}

void EndToEnd::MakeGameFolders(const std::vector<std::string>& relative) const
{
    for (const std::string& path : relative) {
        for (std::size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1))
            CreateDirectoryA((GameFolder() + '\\' + path.substr(0, end)).c_str(), nullptr);
        CreateDirectoryA((GameFolder() + '\\' + path).c_str(), nullptr);
    }
}

void EndToEnd::Run(const std::function<void(HWND)>& act, ControlId finish, DWORD timeoutMs)
{
    ProgramRun run(folder.path(), {}, program);
    ASSERT_TRUE(run.started()) << program;
    HWND window = run.WaitForWindow(kMainWindowTitle, timeoutMs);
    ASSERT_NE(window, nullptr) << "the window never came";
    running_ = &run;
    act(window);
    running_ = nullptr;
    if (finish == kCloseBox) PressCloseBox(window);
    else Click(GetDlgItem(window, finish));
    EXPECT_EQ(run.WaitForExit(timeoutMs), 0);
}

HANDLE EndToEnd::RunningProcess() const
{
    return running_ ? running_->process() : nullptr;
}

void EndToEnd::ExpectFirstStartWorks(const std::function<void(HWND)>& alsoCheck)
{
    const std::string sound = kSettingsKey + "\\Sound";
    SetDword(sound, "Music Enabled", 0);
    SetText(kSettingsKey + "\\General", "Root Directory", GameFolder());
    MakeGameFolders({"User\\Resources\\Skirmish"});
    Run([&](HWND window) {
        EXPECT_EQ(ControlText(window), kMainWindowTitle);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, kOk)));
        EXPECT_EQ(ComboItems(GetDlgItem(window, kRulesBox)), std::vector<std::wstring>{L"Skirmish"});
        const HWND music = GetDlgItem(window, kMusic);
        EXPECT_FALSE(IsTicked(music));
        if (alsoCheck) alsoCheck(window);
        Click(music);
        EXPECT_TRUE(WaitUntil([&] { return IsTicked(music); }));
    });

    EXPECT_EQ(StoredDword(sound, "Music Enabled"), 1u);
    EXPECT_EQ(StoredDword(sound, "Sound Effects Enabled"), 1u) << "a missing value loads checked";
    const auto reference = FileBytes(HostPath(KERVANE_REFERENCE_DICTIONARY));
    ASSERT_TRUE(reference);
    EXPECT_TRUE(FileBytes("Dict\\Setup.ini") == reference) << "the exact 1,232-line dictionary";
    EXPECT_EQ(LogEvents(),
              (std::vector<std::string>{"INI-file not found! Trying to rebuild it!", "INI-file rebuilded!"}));
}

namespace {

const char* const kDesktop = "Control Panel\\Desktop";

}  // namespace

SystemDpi::SystemDpi(std::uint32_t dpi) : previous_(ReadRawValue(kDesktop, "LogPixels"))
{
    SetDword(kDesktop, "LogPixels", dpi);
}

SystemDpi::~SystemDpi()
{
    if (previous_) SetRawValue(kDesktop, "LogPixels", previous_->type, previous_->data);
    else RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels");
}

HWND EndToEnd::OpenPlaylist(HWND mainWindow, DWORD timeoutMs) const
{
    return running_ ? OpenPlaylistWindow(*running_, mainWindow, timeoutMs) : nullptr;
}

HWND EndToEnd::WaitForWindow(const std::wstring& title, DWORD timeoutMs) const
{
    return running_ ? running_->WaitForWindow(title, timeoutMs) : nullptr;
}
