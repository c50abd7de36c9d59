// The program run from a folder it cannot write into, as a standard user runs it from
// "Program Files": a whole batch pass works, and its working files go to the per-machine
// data folder instead.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "app/control_ids.h"
#include "platform/folder_listing_win.h"
#include "support/game_folder.h"
#include "support/no_browser.h"
#include "support/policy_key.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

std::string DataFolder() {
    char common[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
    return std::string(common) + "\\Quenwick\\Lurkmark\\";
}

TEST(LockedProgramFolder, ABatchPassKeepsItsWorkingFilesInTheDataFolder) {
    const std::string program = wt::Env("LURK_LOCKED_DIR");
    ASSERT_FALSE(program.empty());
    const std::string data = DataFolder();
    wt::RemoveTree(data);
    wt::GameFolder game{"locked_game", "Prey Game"};
    wt::CreateSettingsKey({{"Path", game.GamePath()}});

    const wt::ProcessResult pass =
        wt::RunAndWait("\"" + program + "QWK_Lurkmark.exe\" /BATCH /640 /DEMO1", program, 60000);
    ASSERT_TRUE(pass.ended);
    EXPECT_EQ(pass.exitCode, 0u);

    // The default results folder is in the data folder, and the report is there.
    EXPECT_EQ(wt::ReadSettingsValue("ResultPath"), data + "Benchmark\\");
    EXPECT_EQ(FileNamesIn(data + "Benchmark\\", "result_*.htm").size(), 1u);
    ASSERT_TRUE(wt::FileExists(data + "debug.txt"));
    EXPECT_NE(wt::ReadFileBytes(data + "debug.txt").find("Bench Path: " + program + "\r\n"), std::string::npos)
        << "the log still names the program's own folder";
    EXPECT_FALSE(wt::FileExists(data + "dxinfo.txt")) << "read and deleted after the diagnostics";
    EXPECT_FALSE(wt::FileExists(program + "debug.txt"));

    wt::RemoveTree(data);
    wt::DeleteSettingsKey();
}

// A refused host value is noted in the debug log: in the data folder, as a pass's lines are,
// never as an error box about the program's folder.
TEST(LockedProgramFolder, ARefusedHostValueIsLoggedInTheDataFolder) {
    const std::string program = wt::Env("LURK_LOCKED_DIR");
    ASSERT_FALSE(program.empty());
    const std::string data = DataFolder();
    wt::RemoveTree(data);
    // The built-in home page is then opened.
    const wt::NoBrowser noBrowser;
    wt::CreateSettingsKey();
    wt::WritePolicyValue("MakerWebHost", "no host!");
    {
        wt::RunningProgram app("\"" + program + "QWK_Lurkmark.exe\"", program);
        const HWND main = wt::WaitForWindow(app.ProcessId(), "TForm1");
        ASSERT_NE(main, nullptr);
        wt::PostClick(wt::FindControl(main, ctl::RzGroup3Items4));
        const std::string line = "The policy value MakerWebHost \"no host!\" is not a host name with an optional "
                                 "port: ignored, www.quenwick.example is used.";
        EXPECT_TRUE(wt::WaitUntil(
            [&] {
                return wt::FileExists(data + "debug.txt") &&
                       wt::ReadFileBytes(data + "debug.txt").find(line) != std::string::npos;
            },
            20000));
        // The box would have come before the line could be written.
        EXPECT_EQ(wt::WaitForDialogOwnedBy(main, 0), nullptr) << "an error box";
        wt::Click(wt::FindControl(main, ctl::Image2));
        EXPECT_TRUE(app.WaitForExit(15000));
    }
    EXPECT_FALSE(wt::FileExists(program + "debug.txt"));
    wt::RemoveTree(data);
    wt::DeleteSettingsKey();
    wt::DeletePolicyKey();
}

}  // namespace
