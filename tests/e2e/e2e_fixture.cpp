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
    ProgramRun program(folder.path());
    ASSERT_TRUE(program.started());
    HWND window = program.WaitForWindow(kMainWindowTitle, timeoutMs);
    ASSERT_NE(window, nullptr) << "the window never came";
    running_ = &program;
    act(window);
    running_ = nullptr;
    if (finish == kCloseBox) PressCloseBox(window);
    else Click(GetDlgItem(window, finish));
    EXPECT_EQ(program.WaitForExit(timeoutMs), 0);
}

HWND EndToEnd::OpenPlaylist(HWND mainWindow, DWORD timeoutMs) const
{
    return running_ ? OpenPlaylistWindow(*running_, mainWindow, timeoutMs) : nullptr;
}

HWND EndToEnd::WaitForWindow(const std::wstring& title, DWORD timeoutMs) const
{
    return running_ ? running_->WaitForWindow(title, timeoutMs) : nullptr;
}
