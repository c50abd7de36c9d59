// Whole benchmark passes of the real QWK_Lurkmark.exe: the real window, the real cmd running
// the generated batch file, the stand-in game in a game folder whose path has blanks, and
// the stand-in diagnostics tool in the system folder. The report and the debug log are
// compared byte for byte with the lines the program must write; only the start time and the
// measured processor clock are taken from the report, which names them.
#include <gtest/gtest.h>

#include <map>

#include "app/control_ids.h"
#include "domain/resolution_table.h"
#include "platform/scoped_win.h"
#include "support/eventually.h"
#include "support/game_folder.h"
#include "support/pass_bench.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

using wt::Lines;
using wt::PassCaptions;
using wt::PassMode;
using wt::Quality;
using wt::StandInScore;

const char* const kDiagnosticsFixture = "win7_sp1_spanish_intel_hd3000_idt_cp1252.txt";
const char* const kSoundDevice = " Altavoces / Auricular (IDT High Definition Audio CODEC)";
const char* const kUserAutoexec = "bind F5 \"screenshot\"\r\nseta r_mode \"5\"\r\n";
const char* const kUserPreyconfig = "seta com_showFPS \"0\"\r\nseta ui_name \"Player\"\r\n";
using wt::kDemo1Speed;
using wt::kDemo2Speed;

// A game folder "Prey Game" holding the user's own configuration and a results folder.
struct Bench : wt::PassBench {
    // The frame recorder ships beside the program; with its option off it plays no part.
    explicit Bench(const std::string& name)
        : PassBench(name, "Prey Game", "My Results", {kUserAutoexec, kUserPreyconfig}) {
        wt::InstallFrameRecorder(paths.BenchDir);
    }
    // The names of the report files in the results folder.
    std::vector<std::string> Reports() const { return ResultFiles("result_*.htm"); }
    std::vector<std::string> ResultFiles(const std::string& pattern) const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        ScopedFind find(FindFirstFileA((paths.ResultPath + pattern).c_str(), &data));
        if (!find.Valid()) return names;
        do {
            names.push_back(data.cFileName);
        } while (FindNextFileA(find.Get(), &data));
        return names;
    }
    // After a pass: the user's files back byte for byte, nothing of the pass left.
    void ExpectGameFolderAsBefore(bool userPreyconfig = true) const {
        // The clean-up of the last run may still be under way in a program that stays open.
        EXPECT_TRUE(wt::FileBecomes(paths.CfgPath + "autoexec.cfg", kUserAutoexec));
        if (userPreyconfig) {
            EXPECT_TRUE(wt::FileBecomes(paths.CfgPath + "preyconfig.cfg", kUserPreyconfig));
        }
        for (const char* gone : {"autoexec_old.cfg", "preyconfig_old.cfg", "qconsole.log"}) {
            EXPECT_TRUE(wt::FileGoes(paths.CfgPath + gone));
        }
        EXPECT_TRUE(wt::FileGoes(paths.GamePath + "\\Lurkmark.bat"));
        EXPECT_TRUE(wt::FileGoes(paths.BenchDir + "dxinfo.txt"));
        EXPECT_TRUE(wt::FileGoes(paths.BenchDir + "Lurkmark frames.capture"));
    }
};

// Debug rows 1 to 11 and 13 to 19, then the start of the only run.
Lines BatchDebugLines(const Bench& bench, const PassCaptions& captions, const std::string& caption) {
    Lines lines = wt::DebugHead("1.0", bench.paths);
    wt::Append(lines, {captions.antialiasing, captions.filtering, captions.aspect, "Exist autoexec.cfg --- renamed",
                       "Exist preyconfig.cfg --- renamed", captions.shader});
    if (captions.boost == "Graphics BOOST: enabled") lines.push_back("Boost is enabled");
    lines.push_back("Modified settings saved: " + bench.paths.CfgPath);
    wt::Append(lines, wt::DebugRunStart(caption));
    lines.push_back("CP terminated");
    return lines;
}

TEST(BatchPass, OneResolutionIsReportedSavedNotOpenedAndTheProgramEnds) {
    struct Case {
        const char* name;
        const char* switches;
        const char* standIn;  // PREY_STANDIN for the game
        const char* label;
        const char* caption;
        PassCaptions captions;
        std::string score;
    };
    const Case cases[] = {
        {"plain 640", "/BATCH /640 /DEMO1 /SHIGH", "", "640\xD7" "480", "Resolution: 640 \xD7 480...",
         {"rivo3v-6.demo", "Shader Detail: High", "", "", "", "Graphics BOOST: disabled"},
         StandInScore(kDemo1Speed, 640, 480, {2})},
        {"boost", "/SHIGH /BOOST /DEMO2 /BATCH /1024 /AR169 /AA4 /AF8", "", "1024\xD7" "768",
         "Resolution: 1024 \xD7 768...",
         {"rivo3v-5.demo", "Shader Detail: High", "Aspect Ratio: [16:9]", "Antialiasing: 4\xD7",
          "Anisotropic filtering: 8\xD7", "Graphics BOOST: enabled"},
         StandInScore(kDemo2Speed, 1024, 768, {2, 4, 8, true, true})},
        {"nan", "/BATCH /HDW3 /DEMO1 /SHIGH", "score nan", "1920\xD7" "1200 (HD WideScreen)",
         "Resolution: 1920 \xD7 1200...", {"rivo3v-6.demo", "Shader Detail: High", "", "", "", "Graphics BOOST: disabled"},
         "nan"},
    };
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench("bp_batch");
        bench.CreateSettings({{"Note", "rig <i>A</i> \xE9t\xE9"}, {"640", "1"}, {"FrameTimes", "0"}});
        wt::ReportOpenRecorder opened(bench.paths.BenchDir + "opened.txt");
        wt::ScopedEnvironment standIn("PREY_STANDIN", c.standIn);

        const wt::ProcessResult run = wt::RunAndWait("\"" + bench.exe + "\" " + c.switches, bench.paths.BenchDir, 60000);
        ASSERT_TRUE(run.ended) << "a batch program ends after its pass";

        const std::vector<std::string> reports = bench.Reports();
        ASSERT_EQ(reports.size(), 1u);
        const std::string report = wt::ReadFileBytes(bench.paths.ResultPath + reports[0]);
        const std::string startTime = wt::StartTimeNamedIn(report);
        EXPECT_EQ(reports[0], "result_" + wt::StampOf(startTime) + ".htm");
        const wt::MachineFacts machine = wt::ThisMachine(wt::CpuSpeedNamedIn(report), kSoundDevice);
        Lines expected = wt::ReportStart(PassMode::Batch, startTime, machine, "rig <i>A</i> \xE9t\xE9");
        wt::Append(expected, wt::ReportSection(PassMode::Batch, c.label, c.captions, c.score));
        wt::Append(expected, wt::ReportClosing(PassMode::Batch));
        EXPECT_EQ(report, wt::Joined(expected));

        EXPECT_EQ(bench.DebugLog(), wt::Joined(BatchDebugLines(bench, c.captions, c.caption)));
        const std::string data = wt::ReadFileBytes(bench.paths.ResultPath + "result_" + wt::StampOf(startTime) + ".json");
        EXPECT_EQ(data.find("frameTimes"), std::string::npos) << "the option off leaves the data file as it was";
        EXPECT_TRUE(bench.ResultFiles("*_frames_*").empty()) << "and writes no capture beside the report";
        bench.ExpectGameFolderAsBefore();
        EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
        Sleep(300);  // an opener would have been started by now
        EXPECT_EQ(opened.Recorded(), "") << "a batch pass does not open its report";
    }
}

TEST(BatchPass, BoostLinesAreInForceWhileTheGameRuns) {
    // Without a preyconfig.cfg of the user's the one the game wrote at its exit stays, and it
    // holds every seta line the game ran, the generated autoexec.cfg's among them.
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    Bench bench("bp_boost");
    DeleteFileA((bench.paths.CfgPath + "preyconfig.cfg").c_str());
    bench.CreateSettings({});
    ASSERT_TRUE(wt::RunAndWait("\"" + bench.exe + "\" /BATCH /800 /SHIGHEST /BOOST", bench.paths.BenchDir, 60000).ended);
    const std::string written = bench.game.ReadCfgFile("preyconfig.cfg");
    for (const char* line : {"seta r_shaderLevel \"3\"", "seta image_usePrecompressedTextures \"0\"",
                             "seta image_useNormalCompression \"0\"", "seta image_useCompression \"0\""}) {
        EXPECT_NE(written.find(std::string(line) + "\r\n"), std::string::npos) << line;
    }
    bench.ExpectGameFolderAsBefore(false);
}

TEST(BatchPass, WithoutConsoleLogNoReportIsWrittenAndTheProgramEnds) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    Bench bench("bp_nolog");
    bench.CreateSettings({});
    wt::ScopedEnvironment standIn("PREY_STANDIN", "mode nolog");
    const wt::ProcessResult run =
        wt::RunAndWait("\"" + bench.exe + "\" /BATCH /640 /DEMO1 /SLOW", bench.paths.BenchDir, 60000);
    EXPECT_TRUE(run.ended);
    EXPECT_TRUE(bench.Reports().empty());
    const PassCaptions captions{"rivo3v-6.demo", "Shader Detail: Low", "", "", "", "Graphics BOOST: disabled"};
    EXPECT_EQ(bench.DebugLog(), wt::Joined(BatchDebugLines(bench, captions, "Resolution: 640 \xD7 480...")));
    bench.ExpectGameFolderAsBefore();
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
}

TEST(BatchPass, RefusalsShowTheirMessageAndTheProgramStaysOpen) {
    struct Case {
        const char* switches;
        bool gameFolder;
        const char* message;
    };
    const Case cases[] = {
        {"/BATCH /640 /SHIGH", false, "Please, install the retail version of Prey."},
        {"/BATCH /SHIGH /DEMO1", true, "Please, define a resolution of Prey."},
    };
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Bench bench("bp_refused");
        bench.CreateSettings({{"NoErrorWarning", "2"}});
        if (!c.gameFolder) wt::CreateSettingsKey({{"Path", bench.paths.BenchDir + "No Game"}, {"NoErrorWarning", "2"}});
        wt::WriteFileBytes(bench.paths.BenchDir + "debug.txt", "the last pass\r\n");

        wt::RunningProgram program("\"" + bench.exe + "\" " + c.switches, bench.paths.BenchDir);
        HWND main = wt::WaitForWindow(program.ProcessId(), "TForm1");
        ASSERT_NE(main, nullptr);
        HWND box = wt::WaitForDialogOwnedBy(main, 30000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(wt::TextOf(GetDlgItem(box, 0xFFFF)), c.message);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        HWND run = wt::FindControl(main, ctl::BenchButton);
        EXPECT_TRUE(wt::WaitUntil([&] { return IsWindowEnabled(run) != FALSE; }));
        EXPECT_TRUE(wt::IsShown(wt::FindControl(main, ctl::Panel1))) << "the progress panel stays";
        EXPECT_FALSE(program.WaitForExit(500)) << "the program stays open";

        EXPECT_EQ(bench.DebugLog(), "the last pass\r\n");
        EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "2") << "no pass mark is written";
        EXPECT_EQ(bench.game.ReadCfgFile("autoexec.cfg"), kUserAutoexec) << "nothing is prepared";
        EXPECT_FALSE(bench.game.HasCfgFile("autoexec_old.cfg"));
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.WaitForExit(15000));
    }
}

Lines InteractiveRun(const std::string& caption, const std::string& score) {
    Lines lines = wt::DebugRunStart(caption);
    wt::Append(lines, {"CP terminated", "Prepare result", "FPS: " + score});
    return lines;
}

// A refused pass: its message, then the window as before the press and the debug log untouched.
void ExpectRefusal(const wt::StartedProgram& app, const Bench& bench, const std::string& message) {
    SCOPED_TRACE(message);
    const std::string debugBefore = bench.DebugLog();
    wt::CreateSettingsKey({{"Path", bench.paths.GamePath}, {"ResultPath", bench.paths.ResultPath},
                           {"NoErrorWarning", "2"}});
    wt::PostClick(app.Control(ctl::BenchButton));
    HWND box = wt::WaitForDialogOwnedBy(app.main, 30000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(wt::TextOf(GetDlgItem(box, 0xFFFF)), message);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wt::WaitUntil([&] { return IsWindowEnabled(app.Control(ctl::BenchButton)) != FALSE; }));
    EXPECT_FALSE(wt::IsShown(app.Control(ctl::Panel1)));
    EXPECT_TRUE(wt::SettingsValueBecomes("NoErrorWarning", "0"));
    EXPECT_EQ(bench.DebugLog(), debugBefore);
}

TEST(InteractivePass, RunButtonBenchmarksThreeResolutionsThenRefusalsLeaveTheDebugLog) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    Bench bench("bp_window");
    bench.CreateSettings({{"640", "1"}, {"1024", "1"}, {"hdw3", "1"}, {"Demo", "1"}, {"Shader", "3"},
                          {"AspectRatio", "1"}, {"AALevel", "1"}, {"AFLevel", "4"}, {"Boost", "1"},
                          {"Note", "quiet room"}});
    wt::ReportOpenRecorder opened(bench.paths.BenchDir + "opened.txt");
    wt::StartedProgram app(bench.paths.BenchDir);
    ASSERT_NE(app.main, nullptr);
    HWND run = app.Control(ctl::BenchButton);

    wt::Click(run);
    EXPECT_FALSE(IsWindowEnabled(run));
    EXPECT_TRUE(wt::IsShown(app.Control(ctl::Panel1)));
    ASSERT_TRUE(wt::WaitUntil([&] { return !opened.Recorded().empty(); }, 90000)) << "the report was not opened";
    ASSERT_TRUE(wt::WaitUntil([&] { return IsWindowEnabled(run) && !wt::IsShown(app.Control(ctl::Panel1)); }));

    const std::vector<std::string> reports = bench.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(opened.Recorded().find(reports[0]), std::string::npos) << opened.Recorded();
    const std::string report = wt::ReadFileBytes(bench.paths.ResultPath + reports[0]);
    const std::string startTime = wt::StartTimeNamedIn(report);
    EXPECT_EQ(reports[0], "result_" + wt::StampOf(startTime) + ".htm");
    const wt::MachineFacts machine = wt::ThisMachine(wt::CpuSpeedNamedIn(report), kSoundDevice);
    const PassCaptions captions{"rivo3v-6.demo", "Shader Detail: Highest", "Aspect Ratio: [16:9]", "Antialiasing: 2\xD7",
                                "Anisotropic filtering: 16\xD7", "Graphics BOOST: enabled"};
    const Quality quality{3, 2, 16, true, true};
    const std::string score640 = StandInScore(kDemo1Speed, 640, 480, quality);
    const std::string score1024 = StandInScore(kDemo1Speed, 1024, 768, quality);
    const std::string score1920 = StandInScore(kDemo1Speed, 1920, 1200, quality);

    Lines expected = wt::ReportStart(PassMode::Interactive, startTime, machine, "quiet room");
    wt::Append(expected, wt::ReportSection(PassMode::Interactive, "640\xD7" "480", captions, score640));
    wt::Append(expected, wt::ReportSection(PassMode::Interactive, "1024\xD7" "768", captions, score1024));
    wt::Append(expected, wt::ReportSection(PassMode::Interactive, "1920\xD7" "1200 (HD WideScreen)", captions, score1920));
    wt::Append(expected, wt::ReportClosing(PassMode::Interactive));
    EXPECT_EQ(report, wt::Joined(expected));

    Lines debug = wt::DebugHead("1.0", bench.paths);
    wt::Append(debug, {"Demo: rivo3v-6.demo", "Antialiasing: 2\xD7", "Anisotropic filtering: 16\xD7",
                       "Aspect Ratio: [16:9]", "Exist autoexec.cfg --- renamed", "Exist preyconfig.cfg --- renamed",
                       "Shader Detail: Highest", "Boost is enabled", "Modified settings saved: " + bench.paths.CfgPath,
                       "Resolutions: 3"});
    wt::Append(debug, wt::DebugMachine(startTime, machine));
    wt::Append(debug, InteractiveRun("Resolution: 640 \xD7 480...", score640));
    wt::Append(debug, InteractiveRun("Resolution: 1024 \xD7 768...", score1024));
    wt::Append(debug, InteractiveRun("Resolution: 1920 \xD7 1200...", score1920));
    wt::Append(debug, {"Restore autoexec.cfg", "Restore preyconfig.cfg"});
    EXPECT_EQ(bench.DebugLog(), wt::Joined(debug));
    bench.ExpectGameFolderAsBefore();
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");

    // The same program refuses the next passes and keeps this pass's debug log.
    for (int item : {0, 2, 8}) wt::Click(app.Control(ctl::ResItemBase + item));
    ExpectRefusal(app, bench, "ERROR. Please, choose a resolution of Prey.");
    wt::Click(app.Control(ctl::ResItemBase + 0));
    wt::Click(app.Control(ctl::DemoItemBase + 2));  // the user's demo, with no file chosen
    ExpectRefusal(app, bench, "ERROR. Please, check your custom defined demo parameters.");
    EXPECT_EQ(bench.Reports().size(), 1u) << "a refused pass starts no report";

    // The refused passes prepared the game configuration; the program's end puts it back.
    EXPECT_TRUE(app.Exit());
    bench.ExpectGameFolderAsBefore();
}

TEST(OpenSwitch, RunRecordsTheConsoleLogIntoResultHtmWithoutAPass) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    Bench bench("bp_open");
    bench.CreateSettings({{"640", "1"}, {"Shader", "2"}});
    wt::ReportOpenRecorder opened(bench.paths.BenchDir + "opened.txt");
    wt::StartedProgram app(bench.paths.BenchDir, "/OPEN");
    ASSERT_NE(app.main, nullptr);
    bench.game.WriteCfgFile("qconsole.log", "stopped playing rivo3v-6.demo.\r\n2412 frames rendered in 43.6 seconds = 55.3 fps\r\n");

    wt::Click(app.Control(ctl::BenchButton));
    ASSERT_TRUE(wt::WaitUntil([&] { return !opened.Recorded().empty(); }, 30000));
    EXPECT_TRUE(wt::WaitUntil([&] { return IsWindowEnabled(app.Control(ctl::BenchButton)) != FALSE; }));

    // No head: the document was never started, so its stamp is empty. No heading: no run has
    // a key yet. Demo and captions: nothing has set them.
    EXPECT_EQ(bench.Reports(), std::vector<std::string>{"result_.htm"});
    Lines expected = wt::ReportSection(PassMode::Interactive, "", {}, "55.3");
    wt::Append(expected, wt::ReportClosing(PassMode::Interactive));
    EXPECT_EQ(wt::ReadFileBytes(bench.paths.ResultPath + "result_.htm"), wt::Joined(expected));
    EXPECT_NE(opened.Recorded().find("result_.htm"), std::string::npos);

    Lines debug = wt::DebugHead("1.0", bench.paths);
    wt::Append(debug, {"Prepare result", "FPS: 55.3", "Delete autoexec.cfg"});
    EXPECT_EQ(bench.DebugLog(), wt::Joined(debug));
    // Neither the diagnostics tool nor the game ran, and the user's files were not touched.
    EXPECT_TRUE(wt::FileGoes(bench.paths.CfgPath + "qconsole.log"));
    EXPECT_EQ(bench.game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(bench.game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
    EXPECT_FALSE(bench.game.HasCfgFile("autoexec_old.cfg"));
    EXPECT_TRUE(app.Exit());
}

}  // namespace

namespace {

TEST(InteractivePass, ProgressPanelSaysTheResolutionAndTheElapsedTimeOfTheRun) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    Bench bench("bp_progress");
    bench.CreateSettings({{"640", "1"}, {"Demo", "1"}, {"Shader", "1"}, {"AspectRatio", "0"}, {"AALevel", "0"},
                          {"AFLevel", "0"}});
    bench.game.SetStandInControl("delay 5000");
    wt::ReportOpenRecorder opened(bench.paths.BenchDir + "opened.txt");
    wt::StartedProgram app(bench.paths.BenchDir);
    ASSERT_NE(app.main, nullptr);
    HWND caption = app.Control(ctl::Label2);
    HWND elapsed = app.Control(ctl::ElapsedLabel);

    wt::Click(app.Control(ctl::BenchButton));
    ASSERT_TRUE(wt::WaitUntil([&] { return wt::TextOf(caption) == ResolutionTable[0].caption; }, 30000))
        << wt::TextOf(caption);
    // The clock starts with the run and counts while the game plays.
    const std::string atStart = wt::TextOf(elapsed);
    EXPECT_TRUE(atStart == "Elapsed time: 0:00" || atStart == "Elapsed time: 0:01") << atStart;
    EXPECT_TRUE(wt::WaitUntil([&] { return wt::TextOf(elapsed) == "Elapsed time: 0:03"; }))
        << wt::TextOf(elapsed);
    EXPECT_TRUE(wt::IsShown(elapsed));
    ASSERT_TRUE(wt::WaitUntil([&] { return !opened.Recorded().empty(); }, 60000)) << "the report was not opened";
    EXPECT_TRUE(wt::WaitUntil([&] { return !wt::IsShown(app.Control(ctl::Panel1)); }));
    EXPECT_TRUE(app.Exit());
}

}  // namespace
