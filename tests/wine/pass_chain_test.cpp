// A whole interactive pass with real processes: the real diagnostics tool of the prefix,
// the real cmd running a generated batch file in a folder whose path has blanks, real files,
// and the end notices arriving through this thread's message loop.
#include "runner/pass_controller.h"

#include <gtest/gtest.h>

#include "../unit/fakes/fake_pass.h"
#include "app/debug_log.h"
#include "app/machine_description_win.h"
#include "app/program_game_side.h"
#include "platform/shell_file_operations_win.h"
#include "platform/shell_win.h"
#include "platform/text_file.h"
#include "platform/win_file_system_win.h"
#include "results/report_document_win.h"
#include "runner/process_runner_win.h"
#include "settings/registry_settings_store_win.h"
#include "support/game_folder.h"
#include "support/message_pump.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/wine_test_support.h"

namespace {

// The game's batch file as a stand-in: it writes a console log whose frame rate tells the
// runs apart, and ends.
class BatchWritingGameSide : public FakeGameSide {
public:
    using FakeGameSide::FakeGameSide;
    const AppPaths* paths = nullptr;
    ResolutionPosition position = 0;
    void ComposeGameCommandLine(ResolutionPosition p) override { position = p; }
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

// The program's own game side, game configuration, machine description, registry and
// process runners over a real game folder with the stand-in game; only the window is
// scripted. Runs one interactive pass the way the window's Run button starts it.
struct WindowlessPass {
    explicit WindowlessPass(const wt::GameFolder& folder) : paths(folder.Paths()) {
        paths.ResultPath = paths.BenchDir + "My Results\\";
        wt::MakeFolders(paths.ResultPath);
        options.demo = 0;
        options.shader = 2;
        wt::CreateSettingsKey({{"Programversion", "1.0"}, {"NoErrorWarning", "2"}});
    }
    ~WindowlessPass() { wt::DeleteSettingsKey(); }
    // True when the pass came back to an enabled Run button.
    bool Run() {
        controller.BenchButtonClick();
        return wt::PumpMessagesUntil([&] { return view.runButtonEnabled; }, 90000);
    }
    std::string DebugFile() const { return wt::ReadFileBytes(paths.BenchDir + "debug.txt"); }

    StartupMode mode;
    AppPaths paths;
    OptionState options;
    BenchOptions bench;
    PassState pass;
    DebugLog log;
    ReportDocument report;
    RegistrySettingsStore store;
    WinFileSystem files;
    ShellFileOperations shell;
    GameConfig config{files, shell, paths};
    ProgramGameSide game{{mode, paths, options, bench, pass, log, store, files, shell, config}};
    MachineDescriptionWin machine{mode, paths, files, report, log};
    EventList events;
    ScriptedView view{events};
    PassContext ctx{mode, paths, options, bench, pass, log, report, store, files, view, game};
    WinProcessRunner dxrun;
    WinProcessRunner cp;
    PassController controller{ctx, machine, dxrun, cp, {SystemFolder(), CurrentStartTime}};
};

const char* const kSoundDevice = " Altavoces / Auricular (IDT High Definition Audio CODEC)";

TEST(WindowlessPass, RunsWithoutAConsoleLogAndTheCustomSlot) {
    struct Run {
        std::string label;    // report heading, e.g. "640\xD7" "480"
        std::string caption;  // progress caption; for the custom slot the single START line
        int width;
        int height;
        bool logged;
    };
    struct Case {
        const char* name;
        std::vector<int> fixed;  // checked resolution items
        bool custom;
        const char* standIn;
        std::vector<Run> runs;
    };
    const Run r640{"640\xD7" "480", "Resolution: 640 \xD7 480...", 640, 480, true};
    const Run r1920{"1920\xD7" "1200 (HD WideScreen)", "Resolution: 1920 \xD7 1200...", 1920, 1200, true};
    const Case cases[] = {
        {"second run without log", {0, 2, 8}, false, "only 1024x768;mode nolog",
         {r640, {"1024\xD7" "768", "Resolution: 1024 \xD7 768...", 1024, 768, false}, r1920}},
        {"single custom run", {}, true, "", {{"1680 \xD7 1050 (Custom)", "START Prey 1680 \xD7 1050 (Custom)...", 1680, 1050, true}}},
        {"last run without log", {0, 8}, false, "only 1920x1200;mode nolog", {r640, {r1920.label, r1920.caption, 1920, 1200, false}}},
    };
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        wt::GameFolder folder("windowless", "Prey Game");
        WindowlessPass p(folder);
        for (int item : c.fixed) p.options.resolutions[item].checked = true;
        p.options.customOn = c.custom;
        p.options.customWidth = "1680";
        p.options.customHeight = "1050";
        wt::ScopedEnvironment standIn("PREY_STANDIN", c.standIn);
        ASSERT_TRUE(p.Run());

        const std::string path = p.report.filePath(p.paths.ResultPath);
        const std::string saved = wt::ReadFileBytes(path);
        const std::string startTime = wt::StartTimeNamedIn(saved);
        const wt::MachineFacts machine = wt::ThisMachine(wt::CpuSpeedNamedIn(saved), kSoundDevice);
        const wt::PassCaptions captions{"rivo3v-6.demo", "Shader Detail: High", "", "", "", "Graphics BOOST: disabled"};
        wt::Lines report = wt::ReportStart(wt::PassMode::Interactive, startTime, machine, "");
        wt::Lines debug = wt::DebugHead("1.0", p.paths);
        wt::Append(debug, {"Demo: rivo3v-6.demo", "", "", "", "No exist autoexec.cfg", "No exist preyconfig.cfg",
                           "Shader Detail: High", "Modified settings saved: " + p.paths.CfgPath,
                           "Resolutions: " + std::to_string(c.runs.size())});
        wt::Append(debug, wt::DebugMachine(startTime, machine));
        for (const Run& run : c.runs) {
            debug.push_back("");
            if (!c.custom) debug.push_back("START");
            wt::Append(debug, {run.caption, "CP terminated"});
            if (!run.logged) {
                debug.push_back("ERROR! The qconsole.log not exist!");
                continue;
            }
            const std::string score = wt::StandInScore(wt::kDemo1Speed, run.width, run.height, {2});
            wt::Append(report, wt::ReportSection(wt::PassMode::Interactive, run.label, captions, score));
            wt::Append(debug, {"Prepare result", "FPS: " + score});
        }
        debug.push_back("Delete autoexec.cfg");
        const bool lastLogged = c.runs.back().logged;
        // The closing lines reach the file only with the last run's score; only then is it opened.
        if (lastLogged) wt::Append(report, wt::ReportClosing(wt::PassMode::Interactive));
        EXPECT_EQ(saved, wt::Joined(report));
        EXPECT_EQ(p.DebugFile(), wt::Joined(debug));
        EXPECT_EQ(p.view.opened, lastLogged ? std::vector<std::string>{path} : std::vector<std::string>{});
        EXPECT_FALSE(p.view.panelShown);
        EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
        EXPECT_EQ(p.pass.CompletedRuns, static_cast<int>(c.runs.size()));
        EXPECT_FALSE(folder.HasCfgFile("autoexec.cfg")) << "the generated file is deleted";
        EXPECT_FALSE(folder.HasCfgFile("qconsole.log"));
    }
}

TEST(WindowlessPass, EmptyGameFolderIsRefusedAndTheDebugLogKept) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::GameFolder folder("windowless_refused", "Prey Game");
    WindowlessPass p(folder);
    p.paths.GamePath.clear();  // the settings load found no game folder
    p.paths.CfgPath.clear();
    p.paths.DemosPath.clear();
    p.options.resolutions[0].checked = true;
    wt::WriteFileBytes(p.paths.BenchDir + "debug.txt", "the last pass\r\n");
    ASSERT_TRUE(p.Run());
    EXPECT_EQ(p.view.messages, std::vector<std::string>{"ERROR. Please, install the retail version of Prey."});
    EXPECT_FALSE(p.view.panelShown);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    EXPECT_EQ(p.DebugFile(), "the last pass\r\n");
    EXPECT_EQ(p.report.fileStamp(), "") << "no report was started";
}

}  // namespace
