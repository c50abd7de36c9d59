// The game's batch file is started so that only it can be meant: a program planted where an
// unquoted path with blanks would be cut (C:\Games\Prey.exe beside C:\Games\Prey Game) never runs.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/unattended_run.h"
#include "support/user_bench.h"
#include "support/wine_test_support.h"

namespace {

TEST(GameStart, APlantedProgramBesideTheGameFolderNeverRuns) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::UserBench bench("game_start_planted", "Prey Game");
    bench.CreateSettings({});
    const std::string game = bench.paths.GamePath;
    const std::string parent = game.substr(0, game.rfind('\\') + 1);
    // The planted program is the stand-in game too: started, it stamps a file in the folder it
    // runs in, the game folder, as its own control file beside it says.
    ASSERT_TRUE(CopyFileA((wt::Env("LURK_TOOLS_DIR") + "\\prey.exe").c_str(), (parent + "Prey.exe").c_str(), FALSE));
    wt::WriteFileBytes(parent + "prey_standin.txt", "stamps planted_ran.txt\r\n");
    const std::string marker = game + "\\planted_ran.txt";

    const wt::UnattendedRun run =
        wt::RunUnattended(bench.Command("/BATCH /QUIET /640 /DEMO1 /SHIGH"), bench.paths.BenchDir, 90000);
    ASSERT_TRUE(run.ended) << "the pass ends by itself";
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out.rfind("640x480: " + wt::StandInScore(wt::kDemo1Speed, 640, 480, {2}) + " FPS\r\n", 0), 0u)
        << "the batch file ran the game: " << run.out;
    EXPECT_FALSE(wt::FileExists(marker)) << "the planted program ran";
    EXPECT_FALSE(wt::FileExists(parent + "planted_ran.txt")) << "the planted program ran";
    bench.ExpectUserFilesBack();
}

}  // namespace
