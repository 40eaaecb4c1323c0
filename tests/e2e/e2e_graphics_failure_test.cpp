// Started with Direct3D 9 switched off (WINEDLLOVERRIDES=d3d9=, set for this
// test by ctest and inherited by the program): the graphics check fails for real.

#include "e2e_fixture.h"

namespace {

class GraphicsFailure : public EndToEnd {};

TEST_F(GraphicsFailure, OneMessageBoxNoWindowNothingWritten)
{
    ProgramRun program(folder.path());
    HWND box = program.WaitForWindow(L"Error!");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)), L"Can't start DirectX! Please, try original file!");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(program.WaitForWindow(kMainWindowTitle, 0), nullptr);
    Click(GetDlgItem(box, IDOK));
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_FALSE(KeyExists(kSettingsKey)) << "nothing is written";
    EXPECT_EQ(LogEvents(),
              (std::vector<std::string>{"INI-file not found! Trying to rebuild it!", "INI-file rebuilded!"}));
}

TEST_F(GraphicsFailure, WithoutDictionaryTheTwoLookupsAreLoggedTextFirst)
{
    ASSERT_TRUE(RemoveDirectoryA("Dict"));
    ProgramRun program(folder.path());
    HWND box = program.WaitForWindow(L"Error!");
    ASSERT_NE(box, nullptr);
    Click(GetDlgItem(box, IDOK));
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(LogEvents(),
              (std::vector<std::string>{"INI-file not found! Trying to rebuild it!", "Error! Can't rebuild ini-file!",
                                        "INI-file not found! Key Er1txt missed!",
                                        "INI-file not found! Key Er1 missed!"}));
}

}  // namespace
