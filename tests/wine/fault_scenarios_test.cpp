// Faults around whole passes of the real QWK_Lurkmark.exe with the stand-in game: the program
// killed while the game runs, a game crashing mid-pass, a results folder that cannot take the
// report, and paths with blanks and accented letters. Whatever happens, the user's own
// autoexec.cfg and preyconfig.cfg must come back byte for byte.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "app/control_ids.h"
#include "platform/scoped_win.h"
#include "support/game_folder.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/process_list.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

using wt::Lines;
using wt::PassCaptions;
using wt::PassMode;

const char* const kDiagnosticsFixture = "win7_sp1_spanish_intel_hd3000_idt_cp1252.txt";
const char* const kSoundDevice = " Altavoces / Auricular (IDT High Definition Audio CODEC)";
const char* const kRecoveryQuestion = "The last time an error occured. Do you wish to restore the original settings?";

// The user's own files: accented letters, the euro sign and the copyright sign of code page
// 1252, mixed line ends, and no line end after the last line.
const char* const kUserAutoexec = "// r\xE9glages de J\xF6rg \xA9 2007\r\nbind F5 \"screenshot\"\r\nseta ui_name \"Ren\xE9\xE9 \x80\"";
const char* const kUserPreyconfig = "seta com_showFPS \"0\"\nseta r_gamma \"1.2\"\r\nseta ui_name \"\xC9milie\xFF\"";

// A program folder, a game folder holding the user's own configuration, a results folder and
// the settings key.
struct UserBench {
    UserBench(const std::string& tempName, const std::string& gameName, const std::string& resultsName = "Results")
        : game(tempName, gameName) {
        paths = game.Paths();
        paths.ResultPath = paths.BenchDir + resultsName + "\\";
        wt::MakeFolders(paths.ResultPath);
        game.WriteCfgFile("autoexec.cfg", kUserAutoexec);
        game.WriteCfgFile("preyconfig.cfg", kUserPreyconfig);
        exe = wt::InstallProgram(paths.BenchDir);
    }
    ~UserBench() { wt::DeleteSettingsKey(); }
    void CreateSettings(std::map<std::string, std::string> values) const {
        values.emplace("Path", paths.GamePath);
        values.emplace("ResultPath", paths.ResultPath);
        values.emplace("Programversion", "1.0");
        values.emplace("NoErrorWarning", "0");
        wt::CreateSettingsKey(values);
    }
    std::string Command(const std::string& arguments = "") const {
        return "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    }
    std::string DebugLog() const { return wt::ReadFileBytes(paths.BenchDir + "debug.txt"); }
    // The user's files are back byte for byte and nothing of a pass is left in base\.
    void ExpectUserFilesBack() const {
        EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
        EXPECT_EQ(game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
        EXPECT_EQ(Names(paths.CfgPath), (std::set<std::string>{"autoexec.cfg", "preyconfig.cfg", "Demos"}));
    }
    static std::set<std::string> Names(const std::string& folder) {
        std::set<std::string> names;
        WIN32_FIND_DATAA data;
        ScopedFind find(FindFirstFileA((folder + "*").c_str(), &data));
        if (!find.Valid()) return names;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") names.insert(name);
        } while (FindNextFileA(find.Get(), &data));
        return names;
    }

    wt::GameFolder game;
    AppPaths paths;
    std::string exe;
};

// The stand-in game started by the pass: found among the processes, waited for by id.
class GameProcess {
public:
    explicit GameProcess(const std::set<DWORD>& before) {
        std::set<DWORD> started;
        wt::WaitUntil([&] {
            started = wt::NewProcesses(before, wt::ProcessesNamed("prey.exe"));
            return !started.empty();
        }, 30000);
        if (started.size() == 1) process_.Reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, *started.begin()));
    }
    ~GameProcess() {
        if (Running()) TerminateProcess(process_.Get(), 1);
    }
    bool Found() const { return process_.Valid(); }
    bool Running() const { return Found() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }
    bool WaitForEnd() const { return Found() && WaitForSingleObject(process_.Get(), 30000) == WAIT_OBJECT_0; }

private:
    ScopedKernelHandle process_;
};

// The game of a batch pass held in the middle of its demo while the program is terminated, as
// a crash or the task manager would end it; then the game plays to its end and exits.
void KillProgramWhileTheGameRuns(const UserBench& bench) {
    const std::string release = bench.paths.BenchDir + "release.txt";
    wt::ScopedEnvironment standIn("PREY_STANDIN", "hold " + release);
    const std::set<DWORD> before = wt::ProcessesNamed("prey.exe");
    auto program = std::make_unique<wt::RunningProgram>(bench.Command("/BATCH /640 /DEMO1 /SHIGH"), bench.paths.BenchDir);
    GameProcess game(before);
    ASSERT_TRUE(game.Running()) << "the game did not start";
    program.reset();  // TerminateProcess
    ASSERT_TRUE(game.Running()) << "the game outlives the program";
    wt::WriteFileBytes(release, "");
    ASSERT_TRUE(game.WaitForEnd());

    // The pass's state as the kill left it: the generated file and the game's own
    // configuration in place, the user's files aside, the pass mark set.
    EXPECT_EQ(bench.game.ReadCfgFile("autoexec_old.cfg"), kUserAutoexec);
    EXPECT_EQ(bench.game.ReadCfgFile("preyconfig_old.cfg"), kUserPreyconfig);
    EXPECT_NE(bench.game.ReadCfgFile("autoexec.cfg").find("seta r_shaderLevel \"2\"\r\n"), std::string::npos);
    EXPECT_NE(bench.game.ReadCfgFile("preyconfig.cfg").find("// generated by the game"), std::string::npos);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "1");
}

// An interactive start: the recovery question comes before the main window shows.
struct RecoveryStart {
    explicit RecoveryStart(const UserBench& bench) : program(bench.Command(), bench.paths.BenchDir) {}
    // Answers the question with the button; false when none was asked.
    bool Answer(int button) {
        HWND box = wt::WaitForWindow(program.ProcessId(), "#32770", 30000);
        if (!box) return false;
        EXPECT_EQ(wt::TextOf(box), "Confirm");
        EXPECT_EQ(wt::TextOf(GetDlgItem(box, 0xFFFF)), kRecoveryQuestion);
        PostMessageA(box, WM_COMMAND, button, 0);
        main = wt::WaitForWindow(program.ProcessId(), "TForm1");
        return main != nullptr;
    }
    bool Exit() {
        wt::Click(wt::FindControl(main, ctl::Image2));
        return program.WaitForExit(15000);
    }
    wt::RunningProgram program;
    HWND main = nullptr;
};

TEST(ProgramKilled, YesAtTheNextStartBringsTheUsersFilesBack) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    UserBench bench("fault_kill_yes", "Prey Game");
    bench.CreateSettings({});
    KillProgramWhileTheGameRuns(bench);

    RecoveryStart start(bench);
    ASSERT_TRUE(start.Answer(IDYES));
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    EXPECT_EQ(bench.game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(bench.game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
    EXPECT_FALSE(wt::FileExists(bench.paths.GamePath + "\\Lurkmark.bat")) << "the start removes the left-over";
    EXPECT_TRUE(start.Exit());
    bench.ExpectUserFilesBack();
}

TEST(ProgramKilled, NoLeavesTheFilesToTheShutdownAndTheQuestionComesAgain) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    UserBench bench("fault_kill_no", "Prey Game");
    bench.CreateSettings({});
    KillProgramWhileTheGameRuns(bench);

    {
        RecoveryStart start(bench);
        ASSERT_TRUE(start.Answer(IDNO));
        EXPECT_EQ(bench.game.ReadCfgFile("autoexec_old.cfg"), kUserAutoexec) << "No changes nothing";
        EXPECT_EQ(bench.game.ReadCfgFile("preyconfig_old.cfg"), kUserPreyconfig);
        EXPECT_TRUE(start.Exit());
    }
    bench.ExpectUserFilesBack();
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "1");

    RecoveryStart again(bench);
    ASSERT_TRUE(again.Answer(IDYES)) << "the question comes again";
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    EXPECT_TRUE(again.Exit());
    bench.ExpectUserFilesBack();
}

// An interactive program whose main window is up.
struct InteractiveProgram {
    explicit InteractiveProgram(const UserBench& bench) : program(bench.Command(), bench.paths.BenchDir) {
        main = wt::WaitForWindow(program.ProcessId(), "TForm1");
    }
    HWND Control(int id) const { return wt::FindControl(main, id); }
    // The pass has finished: Run enabled again, the progress panel gone.
    bool WaitForIdle(DWORD timeoutMs = 90000) const {
        return wt::WaitUntil([&] {
            return IsWindowEnabled(Control(ctl::BenchButton)) && !wt::IsShown(Control(ctl::Panel1));
        }, timeoutMs);
    }
    bool Exit() {
        wt::Click(Control(ctl::Image2));
        return program.WaitForExit(15000);
    }
    wt::RunningProgram program;
    HWND main = nullptr;
};

std::string ReportIn(const std::string& folder, std::string* name = nullptr) {
    const std::set<std::string> names = UserBench::Names(folder);
    if (names.size() != 1) return "<" + std::to_string(names.size()) + " files>";
    if (name) *name = *names.begin();
    return wt::ReadFileBytes(folder + *names.begin());
}

TEST(GameCrash, MidPassTheRemainingRunsGoOnAndThePassFinishes) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    UserBench bench("fault_crash", "Prey Game");
    bench.CreateSettings({{"640", "1"}, {"1024", "1"}, {"hdw3", "1"}, {"Demo", "1"}, {"Shader", "2"}});
    wt::ReportOpenRecorder opened(bench.paths.BenchDir + "opened.txt");
    // The first run dies mid-demo after its console reached the log; the second dies at once,
    // leaving no log; both with the exit code of an access violation.
    wt::ScopedEnvironment standIn("PREY_STANDIN", "mode@640x480 crash;mode@1024x768 crashnolog");
    InteractiveProgram app(bench);
    ASSERT_NE(app.main, nullptr);

    wt::Click(app.Control(ctl::BenchButton));
    ASSERT_TRUE(wt::WaitUntil([&] { return !opened.Recorded().empty(); }, 90000)) << "the report was not opened";
    ASSERT_TRUE(app.WaitForIdle(10000));

    std::string name;
    const std::string report = ReportIn(bench.paths.ResultPath, &name);
    EXPECT_NE(opened.Recorded().find(name), std::string::npos);
    const std::string startTime = wt::StartTimeNamedIn(report);
    const wt::MachineFacts machine = wt::ThisMachine(wt::CpuSpeedNamedIn(report), kSoundDevice);
    const PassCaptions captions{"rivo3v-6.demo", "Shader Detail: High", "", "", "", "Graphics BOOST: disabled"};
    const std::string score1920 = wt::StandInScore(wt::kDemo1Speed, 1920, 1200, {2});
    // The run that left a log without a result shows no score; the run without a log has no
    // section (its failure is in the debug log); the last run is scored.
    Lines expected = wt::ReportStart(PassMode::Interactive, startTime, machine, "");
    wt::Append(expected, wt::ReportSection(PassMode::Interactive, "640\xD7" "480", captions, ""));
    wt::Append(expected, wt::ReportSection(PassMode::Interactive, "1920\xD7" "1200 (HD WideScreen)", captions, score1920));
    wt::Append(expected, wt::ReportClosing(PassMode::Interactive));
    EXPECT_EQ(report, wt::Joined(expected));

    Lines debug = wt::DebugHead("1.0", bench.paths);
    wt::Append(debug, {"Demo: rivo3v-6.demo", "", "", "", "Exist autoexec.cfg --- renamed",
                       "Exist preyconfig.cfg --- renamed", "Shader Detail: High",
                       "Modified settings saved: " + bench.paths.CfgPath, "Resolutions: 3"});
    wt::Append(debug, wt::DebugMachine(startTime, machine));
    wt::Append(debug, wt::DebugRunStart("Resolution: 640 \xD7 480..."));
    wt::Append(debug, {"CP terminated", "Prepare result", "FPS: No Score"});
    wt::Append(debug, wt::DebugRunStart("Resolution: 1024 \xD7 768..."));
    wt::Append(debug, {"CP terminated", "ERROR! The qconsole.log not exist!"});
    wt::Append(debug, wt::DebugRunStart("Resolution: 1920 \xD7 1200..."));
    wt::Append(debug, {"CP terminated", "Prepare result", "FPS: " + score1920, "Restore autoexec.cfg",
                       "Restore preyconfig.cfg"});
    EXPECT_EQ(bench.DebugLog(), wt::Joined(debug));
    bench.ExpectUserFilesBack();
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    EXPECT_TRUE(app.Exit());
    bench.ExpectUserFilesBack();
}

// The message a pass shows when its report cannot be written: it names the file.
void ExpectReportNotSaved(HWND box, const std::string& folder) {
    ASSERT_NE(box, nullptr) << "no message";
    const std::string text = wt::TextOf(GetDlgItem(box, 0xFFFF));
    EXPECT_EQ(text.rfind("The report could not be saved.", 0), 0u) << text;
    EXPECT_NE(text.find(folder + "result_"), std::string::npos) << text;
}

TEST(ResultsFolder, GoneAtTheFinishIsNamedAndTheWindowIsUsableAgain) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    UserBench bench("fault_results_gone", "Prey Game");
    bench.CreateSettings({{"640", "1"}, {"Demo", "1"}, {"Shader", "1"}});
    wt::ReportOpenRecorder opened(bench.paths.BenchDir + "opened.txt");
    const std::string release = bench.paths.BenchDir + "release.txt";
    wt::ScopedEnvironment standIn("PREY_STANDIN", "hold " + release);
    InteractiveProgram app(bench);
    ASSERT_NE(app.main, nullptr);

    // The folder goes while the game runs, as a removed drive or another program would take it.
    const std::set<DWORD> before = wt::ProcessesNamed("prey.exe");
    wt::Click(app.Control(ctl::BenchButton));
    {
        GameProcess game(before);
        ASSERT_TRUE(game.Running());
        wt::RemoveTree(bench.paths.ResultPath);
        ASSERT_FALSE(wt::FolderExists(bench.paths.ResultPath));
        wt::WriteFileBytes(release, "");
        ASSERT_TRUE(game.WaitForEnd());
    }
    HWND box = wt::WaitForDialogOwnedBy(app.main, 30000);
    ExpectReportNotSaved(box, bench.paths.ResultPath);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app.WaitForIdle(30000));
    bench.ExpectUserFilesBack();
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    EXPECT_EQ(opened.Recorded(), "") << "there is no report to open";

    // The folder is back: the next pass of the same window writes and opens its report.
    wt::MakeFolders(bench.paths.ResultPath);
    wt::Click(app.Control(ctl::BenchButton));
    ASSERT_TRUE(wt::WaitUntil([&] { return !opened.Recorded().empty(); }, 60000)) << "the report was not opened";
    ASSERT_TRUE(app.WaitForIdle(10000));
    std::string name;
    const std::string report = ReportIn(bench.paths.ResultPath, &name);
    EXPECT_NE(opened.Recorded().find(name), std::string::npos);
    EXPECT_NE(report.find("<b>Score = " + wt::StandInScore(wt::kDemo1Speed, 640, 480, {1}) + " FPS</b>"), std::string::npos);
    bench.ExpectUserFilesBack();
    EXPECT_TRUE(app.Exit());
}

TEST(ResultsFolder, WriteProtectedInABatchPassIsNamedAndTheProgramStillEnds) {
    // A folder in which no one, not even an administrator, may create a file: under Wine the
    // kernel's sysfs, which refuses new files to every user.
    const std::string writeProtected = "Z:\\sys\\";
    ASSERT_EQ(CreateFileA((writeProtected + "lurk_probe.htm").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr),
              INVALID_HANDLE_VALUE)
        << writeProtected << " takes new files: the test needs a write-protected folder";
    ASSERT_TRUE(wt::FolderExists(writeProtected));
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    UserBench bench("fault_results_protected", "Prey Game");
    bench.CreateSettings({{"ResultPath", writeProtected}});

    wt::RunningProgram program(bench.Command("/BATCH /640 /DEMO1 /SMED"), bench.paths.BenchDir);
    HWND main = wt::WaitForWindow(program.ProcessId(), "TForm1");
    ASSERT_NE(main, nullptr);
    HWND box = wt::WaitForDialogOwnedBy(main, 60000);
    ExpectReportNotSaved(box, writeProtected);
    // While the message waits for the user, nothing of the user's is at stake any more.
    EXPECT_EQ(bench.game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(bench.game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
    EXPECT_FALSE(bench.game.HasCfgFile("autoexec_old.cfg"));
    EXPECT_FALSE(bench.game.HasCfgFile("preyconfig_old.cfg"));
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(15000)) << "the batch program ends";
    bench.ExpectUserFilesBack();
}

TEST(AccentedPaths, BlanksAndAccentedLettersInTheGameResultsAndDemoPaths) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    UserBench bench("Jeux \xE0 tester", "Prey \xC9" "dition", "R\xE9sultats 1");
    const std::string demoName = "Ma d\xE9mo n\xB0 2.demo";
    const std::string demoFolder = bench.paths.BenchDir + "Mes d\xE9mos\\";
    wt::MakeFolders(demoFolder);
    const std::string demo = wt::ReadFileBytes(bench.paths.BenchDir + "Demos\\rivo3v-5.demo");
    wt::WriteFileBytes(demoFolder + demoName, demo);
    bench.CreateSettings({{"800", "1"}, {"Demo", "3"}, {"Demoname", demoFolder + demoName}, {"Shader", "3"}});
    wt::ReportOpenRecorder opened(bench.paths.BenchDir + "opened.txt");
    InteractiveProgram app(bench);
    ASSERT_NE(app.main, nullptr);

    wt::Click(app.Control(ctl::BenchButton));
    ASSERT_TRUE(wt::WaitUntil([&] { return !opened.Recorded().empty(); }, 60000)) << "the report was not opened";
    ASSERT_TRUE(app.WaitForIdle(10000));

    std::string name;
    const std::string report = ReportIn(bench.paths.ResultPath, &name);
    EXPECT_NE(opened.Recorded().find(name), std::string::npos);
    const std::string startTime = wt::StartTimeNamedIn(report);
    const wt::MachineFacts machine = wt::ThisMachine(wt::CpuSpeedNamedIn(report), kSoundDevice);
    const PassCaptions captions{demoName, "Shader Detail: Highest", "", "", "", "Graphics BOOST: disabled"};
    const std::string score = wt::StandInScore(wt::kDemo2Speed, 800, 600, {3});
    Lines expected = wt::ReportStart(PassMode::Interactive, startTime, machine, "");
    wt::Append(expected, wt::ReportSection(PassMode::Interactive, "800\xD7" "600", captions, score));
    wt::Append(expected, wt::ReportClosing(PassMode::Interactive));
    EXPECT_EQ(report, wt::Joined(expected));

    Lines debug = wt::DebugHead("1.0", bench.paths);
    wt::Append(debug, {"", "", "", "Exist autoexec.cfg --- renamed", "Exist preyconfig.cfg --- renamed",
                       "Shader Detail: Highest", "Modified settings saved: " + bench.paths.CfgPath, "Resolutions: 1"});
    wt::Append(debug, wt::DebugMachine(startTime, machine));
    wt::Append(debug, wt::DebugRunStart("Resolution: 800 \xD7 600..."));
    wt::Append(debug, {"CP terminated", "Prepare result", "FPS: " + score, "Restore autoexec.cfg", "Restore preyconfig.cfg"});
    EXPECT_EQ(bench.DebugLog(), wt::Joined(debug));
    EXPECT_EQ(wt::ReadFileBytes(bench.paths.DemosPath + demoName), demo) << "the user's demo is in the game's demos";
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    EXPECT_TRUE(app.Exit());
    bench.ExpectUserFilesBack();
}

}  // namespace
