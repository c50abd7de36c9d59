// A whole interactive pass with real processes: the real diagnostics tool of the prefix,
// the real cmd running a generated batch file in a folder whose path has blanks, real files,
// and the end notices arriving through this thread's message loop.
#include "runner/pass_controller.h"

#include <gtest/gtest.h>

#include "../unit/fakes/fake_pass.h"
#include "platform/shell_win.h"
#include "platform/text_file.h"
#include "platform/win_file_system_win.h"
#include "runner/process_runner_win.h"
#include "support/message_pump.h"
#include "support/wine_test_support.h"

namespace {

// The game's batch file as a stand-in: it writes a console log whose frame rate tells the
// runs apart, and ends.
class BatchWritingGameSide : public FakeGameSide {
public:
    using FakeGameSide::FakeGameSide;
    const AppPaths* paths = nullptr;
    std::size_t position = 0;
    void ComposeGameCommandLine(std::size_t p) override { position = p; }
    void WriteGameBatchFile() override {
        WriteWholeFile(JoinPath(paths->GamePath, "Lurkmark.bat"),
                       "@echo timedemo: 2148 frames rendered in 19.1 seconds = 1" + std::to_string(position) +
                           ".5 fps> base\\qconsole.log\r\n");
    }
};

class DiagnosticsReader : public FakeMachine {
public:
    using FakeMachine::FakeMachine;
    std::string reportFile;
    bool reportFound = false;
    void readDiagnosticsFile() override {
        reportFound = wt::FileExists(reportFile);
        DeleteFileA(reportFile.c_str());
        FakeMachine::readDiagnosticsFile();
    }
};

TEST(PassChain, ThreeRunsWithRealProcesses) {
    wt::TempFolder temp{"pass_chain"};
    AppPaths paths;
    paths.BenchDir = temp.Path();
    paths.ResultPath = temp.Path() + "Results\\";
    paths.GamePath = temp.Path() + "Prey Game";
    paths.CfgPath = paths.GamePath + "\\base\\";
    wt::MakeFolders(paths.CfgPath);
    wt::MakeFolders(paths.ResultPath);
    wt::WriteFileBytes(paths.CfgPath + "qconsole.log", "left from an earlier program");

    EventList events;
    StartupMode mode;
    OptionState options;
    BenchOptions bench;
    PassState pass;
    DebugLog log;
    ReportDocument report;
    FakeSettingsStore settings;
    FakeFileSystem unusedFiles;
    WinFileSystem files;
    ScriptedView view{events};
    BatchWritingGameSide game{events, pass, log, settings, unusedFiles, paths};
    game.paths = &paths;
    game.planned = {0, 2, 8};
    DiagnosticsReader machine{events, report};
    machine.reportFile = paths.BenchDir + "dxinfo.txt";
    WinProcessRunner dxrun;
    WinProcessRunner cp;
    PassContext ctx{mode, paths, options, bench, pass, log, report, settings, files, view, game};
    const PassController::Platform platform{SystemFolder(), [] { return std::string("1/2/2007 3:04:05 AM"); }};
    PassController controller(ctx, machine, dxrun, cp, platform);

    controller.BenchButtonClick();
    EXPECT_FALSE(wt::FileExists(paths.CfgPath + "qconsole.log"));
    try {
        dxrun.Run();
        FAIL() << "the busy diagnostics runner started again";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Cannot perform this operation when process is running");
    }
    ASSERT_TRUE(wt::PumpMessagesUntil([&] { return view.runButtonEnabled && !view.panelShown; }, 60000));

    EXPECT_TRUE(machine.reportFound) << "the diagnostics tool wrote no report";
    const std::string saved = wt::ReadFileBytes(report.filePath(paths.ResultPath));
    EXPECT_EQ(report.filePath(paths.ResultPath), paths.ResultPath + "result_1_2_2007_3_04_05_AM.htm");
    for (const char* score : {"10.5", "12.5", "18.5"}) {
        EXPECT_NE(saved.find(ScoreLine(score) + "\r\n"), std::string::npos) << score;
    }
    EXPECT_LT(saved.find("Resolution: 640\xD7"), saved.find("Resolution: 1920\xD7" "1200"));
    EXPECT_EQ(view.opened.size(), 1u);
    EXPECT_FALSE(wt::FileExists(paths.CfgPath + "qconsole.log"));
    EXPECT_FALSE(wt::FileExists(paths.GamePath + "\\Lurkmark.bat"));
    EXPECT_EQ(pass.CompletedRuns, 3);
}

}  // namespace
