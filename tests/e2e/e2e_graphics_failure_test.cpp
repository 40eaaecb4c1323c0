// Started with Direct3D 9 switched off (WINEDLLOVERRIDES=d3d9=, set for this
// test by ctest and inherited by the program): the graphics check fails for real.

#include <gtest/gtest.h>

#include "program_driver.h"
#include "wine_fixtures.h"

namespace {

const std::string kGame = "SOFTWARE\\Halcyra Studios\\Vaelmoor Duskrune";

TEST(GraphicsFailure, OneMessageBoxNoWindowNothingWritten)
{
    DeleteKeyTree(kGame);
    ScratchFolder folder;
    CreateDirectoryA("Dict", nullptr);
    ProgramRun program(folder.path());
    HWND box = program.WaitForWindow(L"Error!");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)), L"Can't start DirectX! Please, try original file!");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(program.WaitForWindow(L"Vaelmoor: Kervane settings", 0), nullptr);
    Click(GetDlgItem(box, IDOK));
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_FALSE(KeyExists(kGame)) << "nothing is written";
    EXPECT_EQ(LogEvents(),
              (std::vector<std::string>{"INI-file not found! Trying to rebuild it!", "INI-file rebuilded!"}));
}

TEST(GraphicsFailure, WithoutDictionaryTheTwoLookupsAreLoggedTextFirst)
{
    ScratchFolder folder;
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
