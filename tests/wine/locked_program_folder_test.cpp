// The program run from a folder it cannot write into, as a standard user runs it from
// "Program Files": a whole batch pass works, and its working files go to the per-machine
// data folder instead.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "platform/folder_listing_win.h"
#include "support/game_folder.h"
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

}  // namespace
