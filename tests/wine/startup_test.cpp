// The real program started with switches: batch-and-open ends by itself.
#include <gtest/gtest.h>

#include "support/process_list.h"
#include "support/wine_test_support.h"

namespace {

// C:\a\b\ -> b: the caption of the shell's window on that folder.
std::string LastFolderName(std::string folder) {
    folder.pop_back();
    return folder.substr(folder.rfind('\\') + 1);
}

TEST(Startup, BatchOpenWithExistingResultsFolderEndsWithinSeconds) {
    wt::TempFolder bench{"startup_open"};
    wt::TempFolder results{"startup_results"};
    const std::string exe = wt::InstallProgram(bench.Path());
    wt::CreateSettingsKey({{"ResultPath", results.Path()}});
    const std::set<DWORD> explorersBefore = wt::ProcessesNamed("explorer.exe");
    const wt::ProcessResult r = wt::RunAndWait("\"" + exe + "\" /BATCH /OPEN", bench.Path(), 20000);
    EXPECT_TRUE(r.ended);
    EXPECT_LT(r.elapsedMs, 6000u) << "no splash in batch mode";
    // The folder window is a process of its own that outlives the program; left open it would
    // hold this test's output open and keep the test from ending.
    EXPECT_EQ(wt::CloseNewFolderWindows(explorersBefore, LastFolderName(results.Path())), 1);
    wt::DeleteSettingsKey();
}

TEST(Startup, BatchOpenWithMissingResultsFolderJustEnds) {
    wt::TempFolder bench{"startup_open_missing"};
    const std::string exe = wt::InstallProgram(bench.Path());
    wt::CreateSettingsKey({{"ResultPath", "C:\\lurktest\\no-such-results\\"}});
    const wt::ProcessResult r = wt::RunAndWait("\"" + exe + "\" /open /batch", bench.Path(), 20000);
    EXPECT_TRUE(r.ended);
    // The load replaced the missing folder by the default beside the program, not created.
    EXPECT_EQ(wt::ReadSettingsValue("ResultPath"), bench.Path() + "Benchmark\\");
    EXPECT_FALSE(wt::FolderExists(bench.Path() + "Benchmark"));
    wt::DeleteSettingsKey();
}

}  // namespace
