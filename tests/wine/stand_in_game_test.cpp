// The stand-in game started the way the program starts it: a generated Lurkmark.bat, run
// hidden through the command processor, in a game folder whose path holds blanks.
#include <gtest/gtest.h>

#include "app/debug_log.h"
#include "gameconfig/game_config.h"
#include "platform/shell_file_operations_win.h"
#include "platform/win_file_system_win.h"
#include "runner/demo_preparation.h"
#include "runner/game_batch_file.h"
#include "runner/game_command_line.h"
#include "runner/run_plan.h"
#include "support/game_folder.h"

namespace {

const char* const kResultLine = " frames rendered in ";

struct StandInGame : ::testing::Test {
    wt::GameFolder game{"stand in game", "Prey Game"};
    WinFileSystem files;
    ShellFileOperations fileOps;
    GameConfig config{files, fileOps, game.Paths()};
    PassState state;
    DebugLog log;
    BenchOptions bench;
    OptionState options;

    // One run as a batch pass does it, from the demo copy to the end of the game's process.
    wt::ProcessResult Run(ResolutionPosition position) {
        DemoPreparation demo{files, fileOps, game.Paths()};
        PrepareDemo(demo, true, bench, options, state, log);
        config.FilterStep(bench, log);
        SelectAspect(bench, state, log);
        config.BoostStep(bench);
        config.Prepare(bench, log);
        ComposeGameCommandLine(position, options, state);
        WriteGameBatchFile(game.Paths(), state);
        char system[MAX_PATH];
        EXPECT_TRUE(GetSystemDirectoryA(system, MAX_PATH));
        const GameStartParameters start = GameStart(game.Paths(), system);
        // The command line names the system folder's interpreter too: no other cmd.exe is near.
        return wt::RunAndWait(start.commandLine, start.currentDirectory, 30000, true);
    }

    // The frame rate text of the log's result line.
    std::string Score() {
        const std::string log = game.ReadCfgFile("qconsole.log");
        const std::size_t at = log.find("seconds = ");
        if (at == std::string::npos) return "";
        return log.substr(at + 10, log.find(" fps", at) - at - 10);
    }
};

TEST_F(StandInGame, BatchFileRunsTheDemoAndLeavesTheResultLineInTheConsoleLog) {
    bench = {"1024", "DEMO1", "AR169", "SHIGH", "AA2", "AF8", ""};
    game.WriteCfgFile("preyconfig.cfg", "seta sys_lang \"english\"\r\n");

    const wt::ProcessResult r = Run(2);

    ASSERT_TRUE(r.ended);
    EXPECT_EQ(wt::ReadFileBytes(game.GamePath() + "\\Lurkmark.bat"),
              "prey.exe +set logFile 1 +set com_showFPS 1 +set timescale 7 +set r_mode -1 +set r_aspectRatio 1 "
              "+set r_customWidth 1024 +set r_customHeight 768 +timedemoquit rivo3v-6.demo\r\n");
    const std::string log = game.ReadCfgFile("qconsole.log");
    const std::size_t stopped = log.find("stopped playing rivo3v-6.demo.\r\n");
    ASSERT_NE(stopped, std::string::npos) << log;
    const std::size_t next = stopped + std::string("stopped playing rivo3v-6.demo.\r\n").size();
    EXPECT_EQ(log.compare(next, 4, "2412"), 0) << log;
    EXPECT_NE(log.find(kResultLine, next), std::string::npos);
    EXPECT_NE(log.find("...setting mode -1: 1024 768 aspect 1"), std::string::npos) << "command line read";
    // The game wrote its configuration at exit from what it ran: our autoexec.cfg included.
    const std::string saved = game.ReadCfgFile("preyconfig.cfg");
    EXPECT_NE(saved.find("seta r_shaderLevel \"2\"\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("seta r_multiSamples \"2\""), std::string::npos) << saved;
    EXPECT_TRUE(game.HasCfgFile("preyconfig_old.cfg"));
    config.Restore(nullptr);
}

TEST_F(StandInGame, FrameRateFollowsFromDemoResolutionAndQuality) {
    bench = {"640", "DEMO1", "AR43", "SLOW", "AANONE", "AFNONE", ""};
    ASSERT_TRUE(Run(0).ended);
    const std::string low = Score();
    ASSERT_TRUE(Run(0).ended);
    EXPECT_EQ(Score(), low) << "same demo, size and settings give the same figure";
    bench.shader = "SHIGHEST";
    ASSERT_TRUE(Run(0).ended);
    const std::string highest = Score();
    ASSERT_TRUE(Run(5).ended);
    const std::string large = Score();
    bench.demo = "DEMO2";
    ASSERT_TRUE(Run(5).ended);
    const std::string otherDemo = Score();
    EXPECT_GT(std::stod(low), std::stod(highest));
    EXPECT_GT(std::stod(highest), std::stod(large));
    EXPECT_NE(large, otherDemo);
    config.Restore(nullptr);
}

TEST_F(StandInGame, FailureModesChosenByTheControlFile) {
    bench.demo = "DEMO2";
    DemoPreparation demo{files, fileOps, game.Paths()};
    PrepareDemo(demo, true, bench, options, state, log);
    struct Case {
        const char* control;
        bool log;
        bool result;
        DWORD exitCode;
        const char* score;
    };
    const Case cases[] = {
        {"mode nolog\r\n", false, false, 0, ""},
        {"mode noresult\r\n", true, false, 0, ""},
        {"score nan\r\n", true, true, 0, "nan"},
        {"mode crash\r\n", true, false, 0xC0000005, ""},
        {"mode crashnolog\r\n", false, false, 0xC0000005, ""},
        // The run is at 640 x 480: the pairs for that size apply, those for others do not.
        {"mode@640x480 noresult\r\nmode@800x600 crash\r\n", true, false, 0, ""},
        {"score@800x600 inf\r\nscore@640x480 nan\r\n", true, true, 0, "nan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        files.DeleteFileIfExists(game.CfgPath() + "qconsole.log");
        files.DeleteFileIfExists(game.CfgPath() + "preyconfig.cfg");
        game.SetStandInControl(c.control);
        const wt::ProcessResult r = wt::RunAndWait(
            "\"" + game.GamePath() + "\\prey.exe\" +set logFile 1 +timedemoquit rivo3v-5.demo", game.GamePath(), 30000, true);
        ASSERT_TRUE(r.ended);
        EXPECT_EQ(r.exitCode, c.exitCode);
        ASSERT_EQ(game.HasCfgFile("qconsole.log"), c.log);
        if (c.log) {
            EXPECT_EQ(game.ReadCfgFile("qconsole.log").find(kResultLine) != std::string::npos, c.result);
        }
        if (c.result) {
            EXPECT_EQ(Score(), c.score);
        }
        EXPECT_EQ(game.HasCfgFile("preyconfig.cfg"), c.exitCode == 0) << "a crash saves no configuration";
    }
}

TEST_F(StandInGame, SlowRunTakesTheGivenTimeAndStillEndsWithAResult) {
    bench = {"640", "DEMO1", "", "", "", "", ""};
    game.SetStandInControl("delay 1500\r\n");
    const wt::ProcessResult r = Run(0);
    ASSERT_TRUE(r.ended);
    EXPECT_GE(r.elapsedMs, 1500u);
    EXPECT_NE(game.ReadCfgFile("qconsole.log").find(kResultLine), std::string::npos);
    config.Restore(nullptr);
}

TEST_F(StandInGame, HeldDemoPlaysOnUntilTheFileExists) {
    bench.demo = "DEMO1";
    DemoPreparation demo{files, fileOps, game.Paths()};
    PrepareDemo(demo, true, bench, options, state, log);
    wt::TempFolder signal{"hold_signal"};
    game.SetStandInControl("hold " + signal.Path() + "release.txt\r\n");
    wt::RunningProgram run("\"" + game.GamePath() + "\\prey.exe\" +set logFile 1 +timedemoquit rivo3v-6.demo",
                           game.GamePath(), true);
    EXPECT_FALSE(run.WaitForExit(500)) << "the demo ended by itself";
    EXPECT_FALSE(game.HasCfgFile("qconsole.log"));
    wt::WriteFileBytes(signal.Path() + "release.txt", "");
    ASSERT_TRUE(run.WaitForExit(10000));
    EXPECT_NE(game.ReadCfgFile("qconsole.log").find(kResultLine), std::string::npos);
}

TEST_F(StandInGame, WithoutLogFileTheGameWritesNoConsoleLog) {
    bench.demo = "DEMO1";
    DemoPreparation demo{files, fileOps, game.Paths()};
    PrepareDemo(demo, true, bench, options, state, log);
    const wt::ProcessResult r =
        wt::RunAndWait("\"" + game.GamePath() + "\\prey.exe\" +timedemoquit rivo3v-6.demo", game.GamePath(), 30000, true);
    ASSERT_TRUE(r.ended);
    EXPECT_FALSE(game.HasCfgFile("qconsole.log"));
    EXPECT_TRUE(game.HasCfgFile("preyconfig.cfg"));
}

}  // namespace
