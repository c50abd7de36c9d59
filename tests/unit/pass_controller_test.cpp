// Whole passes driven through the controller with a scripted window, a fake game side and
// fake process runners: the order of runs, the report on disk, the debug log, the pass
// marks, the refusals and the batch and open-switch behaviour.
#include "runner/pass_controller.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>

#include <rapidjson/document.h>

#include "app/debug_log.h"
#include "fakes/fake_machine_watch.h"
#include "fakes/fake_pass.h"
#include "platform/text_file.h"
#include "result_schema_check.h"
#include "results/result_data.h"
#include "results/result_file_reader.h"

#include "results/frame_times.h"
#include "runner/frame_capture.h"
#include "runner/power_plan_switch.h"

namespace {

using Log = std::optional<std::string>;

const std::string kStartTime = "12/8/2006 8:56:01 PM";

std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    EXPECT_EQ(start, bytes.size()) << "the last line lacks its CR LF";
    return lines;
}

std::vector<std::string> Section(const std::string& heading, const std::string& scoreLine) {
    std::vector<std::string> lines;
    if (!heading.empty()) lines.push_back(heading);
    for (const char* line : {"Demo: rivo3v-6.demo<br>", "Shader Detail: High<br>", "Aspect Ratio: [16:9]<br>",
                             "Antialiasing: 4\xD7<br>", "Anisotropic filtering: 16\xD7<br>",
                             "Graphics BOOST: disabled<br>"}) {
        lines.push_back(line);
    }
    lines.push_back(scoreLine);
    return lines;
}

class PassTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "lurkpassXXXXXX";
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        temp = pattern;
        paths.BenchDir = temp + "/";
        paths.ResultPath = temp + "/";
        paths.GamePath = "C:\\Prey";
        paths.CfgPath = "C:\\Prey\\base\\";
        paths.DemosPath = "C:\\Prey\\base\\Demos\\";
        files.folders.insert(paths.GamePath);
        settings.values["Programversion"] = "1.0";
        options.customWidth = "1680";
        options.customHeight = "1050";
        controller = std::make_unique<PassController>(
            ctx, machine, dxrun, cp, PassController::Platform{"C:\\windows\\system32", [] { return kStartTime; },
                                                          [] { return std::string("2006-12-08T20:56:01+01:00"); }});
    }
    void TearDown() override { std::filesystem::remove_all(temp); }

    std::string LogPath() const { return paths.CfgPath + "qconsole.log"; }
    std::string ReportPath() const { return report.filePath(paths.ResultPath); }
    std::string DebugPath() const { return paths.BenchDir + "debug.txt"; }
    bool OnDisk(const std::string& path) const {
        std::string bytes;
        return ReadWholeFile(path, bytes);
    }
    std::vector<std::string> LinesOnDisk(const std::string& path) const {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
        return SplitCrLf(bytes);
    }
    // The result sections and closing lines of a saved report: what follows "<hr>".
    std::vector<std::string> AfterSeparator(const std::vector<std::string>& lines) const {
        const auto hr = std::find(lines.begin(), lines.end(), "<hr>");
        EXPECT_NE(hr, lines.end());
        return std::vector<std::string>(hr == lines.end() ? hr : hr + 1, lines.end());
    }
    // Press Run, end the diagnostics tool, then end one game per entry, leaving that log.
    void RunPass(const std::vector<Log>& logs) {
        controller->BenchButtonClick();
        ASSERT_TRUE(dxrun.Running());
        dxrun.End();
        for (const Log& log : logs) {
            ASSERT_TRUE(cp.Running());
            if (log) files.files[LogPath()] = *log;
            cp.End();
        }
        EXPECT_FALSE(cp.Running());
    }

    std::string temp;
    EventList events;
    StartupMode mode;
    AppPaths paths;
    OptionState options;
    BenchOptions bench;
    PassState pass;
    DebugLog log;
    ReportDocument report;
    FakeSettingsStore settings;
    FakeFileSystem files;
    ScriptedView view{events};
    FakeGameSide game{events, pass, log, settings, files, paths};
    FakeMachine machine{events, report};
    FakeRunner dxrun{events, "dxrun"};
    FakeRunner cp{events, "cp"};
    PassContext ctx{mode, paths, options, bench, pass, log, report, settings, files, view, game};
    std::unique_ptr<PassController> controller;
};

const std::string kClosing = "<P></P><P></P>";

TEST_F(PassTest, ThreeResolutionsRunInOrderAndFinishOnce) {
    game.planned = {0, 2, 8};
    files.files[LogPath()] = "stale log of an earlier program";
    RunPass({"seconds = 27.4 fps", "seconds = 127.3 fps", "seconds = 1234.5 fps"});

    EXPECT_EQ(dxrun.CommandLine(), "C:\\windows\\system32\\dxdiag.exe /whql:on /t " + paths.BenchDir + "dxinfo.txt");
    EXPECT_EQ(dxrun.CurrentDirectory(), "C:\\windows\\system32");
    EXPECT_EQ(cp.Program(), "C:\\windows\\system32\\cmd.exe");
    EXPECT_EQ(cp.CommandLine(), "cmd.exe /c \"\"C:\\Prey\\Lurkmark.bat\"\"");
    EXPECT_EQ(cp.CurrentDirectory(), "C:\\Prey");
    EXPECT_EQ(cp.starts, 3);
    EXPECT_TRUE(cp.AddedVariables().empty()) << "without the option the game's environment is the program's";
    EXPECT_EQ(files.files.count(JoinPath(paths.BenchDir, "Lurkmark frames.capture")), 0u);

    std::vector<std::string> expected;
    for (const auto& [heading, score] : {std::pair<const char*, const char*>{"640\xD7" "480", "27.4"},
                                         {"1024\xD7" "768", "127.3"},
                                         {"1920\xD7" "1200 (HD WideScreen)", "1234.5"}}) {
        const auto section = Section(std::string("<BR><B><FONT size=5>Resolution: ") + heading + "</FONT></B><BR>",
                                     ScoreLine(score));
        expected.insert(expected.end(), section.begin(), section.end());
    }
    expected.push_back(kClosing);
    expected.push_back(FooterLine(ReportDocument::Mode::Interactive));
    const std::vector<std::string> onDisk = LinesOnDisk(ReportPath());
    EXPECT_EQ(ReportPath(), paths.ResultPath + "\\result_12_8_2006_8_56_01_PM.htm");
    EXPECT_EQ(onDisk, report.lines());
    EXPECT_EQ(AfterSeparator(onDisk), expected);
    EXPECT_EQ(onDisk[20], "   <FONT size=2>The benchmark started at " + kStartTime + "</FONT><br>");

    EXPECT_EQ(view.opened, std::vector<std::string>{ReportPath()});
    EXPECT_FALSE(view.panelShown);
    EXPECT_TRUE(view.runButtonEnabled);
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
    EXPECT_EQ(CountOf(events, "restore with lines"), 1);
    EXPECT_EQ(CountOf(events, "mark 1"), 1);
    EXPECT_FALSE(files.FileExists(LogPath()));
    EXPECT_FALSE(files.FileExists("C:\\Prey\\Lurkmark.bat"));
    // Two pauses after each run that goes on, three after the last, one before each start.
    EXPECT_EQ(CountOf(events, "pause 1000"), 3 + 2 + 2 + 3);
}

TEST_F(PassTest, DebugLogOfAPassAsSavedOnDisk) {
    game.planned = {1, kCustomPosition};
    RunPass({"seconds = 27.4 fps", "seconds = 7.9 fps"});
    const std::vector<std::string> expected = {
        std::string(46, '='), "Quenwick Lurkmark debug information", std::string(46, '='), "",
        "Benchmark version: 1.0", "Bench Path: " + paths.BenchDir, "Game Path: C:\\Prey\\",
        "Demos Path: C:\\Prey\\base\\Demos\\", "CFG Path: C:\\Prey\\base\\", "",
        "Collecting settings information -------------------------",
        "Resolutions: 2", "Start time: " + kStartTime,
        "", "START", "Resolution: 800 \xD7 600...", "CP terminated", "Prepare result", "FPS: 27.4",
        "", "START Prey 1680 \xD7 1050 (Custom)...", "CP terminated", "Prepare result", "FPS: 7.9",
        "Delete autoexec.cfg"};
    EXPECT_EQ(LinesOnDisk(DebugPath()), expected);
    EXPECT_TRUE(Contains(events, "caption Resolution: 1680 \xD7 1050 (Custom)..."));
    EXPECT_EQ(AfterSeparator(report.lines())[8],
              "<BR><B><FONT size=5>Resolution: 1680 \xD7 1050 (Custom)</FONT></B><BR>");
}

TEST_F(PassTest, RunWithoutLogGoesOnAndLeavesNoSection) {
    game.planned = {0, 2, 8};
    RunPass({"seconds = 30.0 fps", std::nullopt, "seconds = 31.0 fps"});
    const std::vector<std::string> debug = LinesOnDisk(DebugPath());
    const auto first = std::find(debug.begin(), debug.end(), "FPS: 30.0");
    const auto error = std::find(debug.begin(), debug.end(), "ERROR! The qconsole.log not exist!");
    const auto second = std::find(debug.begin(), debug.end(), "FPS: 31.0");
    EXPECT_TRUE(first < error && error < second && second != debug.end());
    const std::vector<std::string> onDisk = AfterSeparator(LinesOnDisk(ReportPath()));
    ASSERT_EQ(onDisk.size(), 8u + 8u + 2u);
    EXPECT_EQ(onDisk[0], "<BR><B><FONT size=5>Resolution: 640\xD7" "480</FONT></B><BR>");
    EXPECT_EQ(onDisk[8], "<BR><B><FONT size=5>Resolution: 1920\xD7" "1200 (HD WideScreen)</FONT></B><BR>");
    EXPECT_EQ(cp.starts, 3);
}

TEST_F(PassTest, FileGrowsRunByRunAndLastRunWithoutLogLeavesItUnclosedAndUnopened) {
    game.planned = {0, 1};
    controller->BenchButtonClick();
    dxrun.End();
    files.files[LogPath()] = "seconds = 55.5 fps";
    cp.End();
    EXPECT_EQ(AfterSeparator(LinesOnDisk(ReportPath())), Section(ResolutionHeading("640", "", ""), ScoreLine("55.5")));
    cp.End();  // no log
    EXPECT_EQ(AfterSeparator(LinesOnDisk(ReportPath())), Section(ResolutionHeading("640", "", ""), ScoreLine("55.5")));
    EXPECT_EQ(report.lines().back(), FooterLine(ReportDocument::Mode::Interactive));  // in memory only
    EXPECT_TRUE(view.opened.empty());
    EXPECT_TRUE(view.runButtonEnabled);
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
}

TEST_F(PassTest, LetterScoresAndLogsWithoutResultLineShowNoScore) {
    game.planned = {0, 1};
    RunPass({"seconds = nan fps", "timedemo aborted"});
    const std::vector<std::string> sections = AfterSeparator(report.lines());
    EXPECT_EQ(sections[7], NoScoreLine());
    EXPECT_EQ(sections[15], NoScoreLine());
    EXPECT_EQ(CountOf(LinesOnDisk(DebugPath()), "FPS: No Score"), 2);
    // A run that did end with a log is worth showing: saved closed and opened.
    EXPECT_EQ(LinesOnDisk(ReportPath()).back(), FooterLine(ReportDocument::Mode::Interactive));
    EXPECT_EQ(view.opened.size(), 1u);
}

TEST_F(PassTest, RunEndedByTheTimeLimitShowsNoScoreWithTheReasonAndThePassGoesOn) {
    game.planned = {0, 2, 8};
    options.gameTimeLimitSeconds = 300;
    controller->BenchButtonClick();
    dxrun.End();
    EXPECT_EQ(cp.TimeLimit(), 300);
    files.files[LogPath()] = "seconds = 27.4 fps";
    cp.End();
    // What the ended game left in its log is no result.
    files.files[LogPath()] = "seconds = 99.9 fps";
    cp.EndByTimeLimit();
    files.files[LogPath()] = "seconds = 31.0 fps";
    cp.End();
    EXPECT_EQ(cp.starts, 3);

    std::vector<std::string> expected = Section(ResolutionHeading("640", "", ""), ScoreLine("27.4"));
    for (const std::string& line : Section(ResolutionHeading("1024", "", ""), NoScoreLine())) expected.push_back(line);
    expected.push_back("The game did not finish within the time limit of 5 minutes and was ended.<br>");
    for (const std::string& line : Section(ResolutionHeading("hdw3", "", ""), ScoreLine("31.0"))) {
        expected.push_back(line);
    }
    expected.push_back(kClosing);
    expected.push_back(FooterLine(ReportDocument::Mode::Interactive));
    EXPECT_EQ(AfterSeparator(LinesOnDisk(ReportPath())), expected);
    const std::vector<std::string> debug = LinesOnDisk(DebugPath());
    const auto ended = std::find(debug.begin(), debug.end(),
                                 "The game did not finish within the time limit of 5 minutes and was ended.");
    ASSERT_NE(ended, debug.end());
    EXPECT_EQ(*(ended - 1), "CP terminated");
    EXPECT_EQ(*(ended + 1), "FPS: No Score");
    EXPECT_EQ(view.opened.size(), 1u);
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
}

TEST_F(PassTest, DiagnosticsToolThatCannotStartLeavesItsValuesEmptyAndThePassGoesOn) {
    game.planned = {0};
    dxrun.failNextStart = true;
    controller->BenchButtonClick();
    EXPECT_TRUE(view.messages.empty());
    ASSERT_TRUE(cp.Running());
    EXPECT_TRUE(Contains(log.Lines(), "The display diagnostics tool could not be started (The system cannot find the "
                                      "file specified.); its values stay empty."));
    files.files[LogPath()] = "seconds = 27.4 fps";
    cp.End();
    EXPECT_EQ(view.opened.size(), 1u);
}

TEST_F(PassTest, DiagnosticsToolEndingWithoutItsReportIsNamedInTheDebugLog) {
    game.planned = {0};
    controller->BenchButtonClick();
    dxrun.End(0xC0000135);  // a tool that could not load
    ASSERT_TRUE(cp.Running());
    EXPECT_TRUE(Contains(log.Lines(), "The display diagnostics tool ended with code 0xC0000135 and wrote no report; "
                                      "its values stay empty."));
}

TEST_F(PassTest, InteractiveRefusalsLeaveDebugFileAndReportAlone) {
    struct Case {
        const char* name;
        std::vector<std::size_t> planned;
        bool demoError;
        const char* message;
    } cases[] = {
        {"no resolution", {}, false, "ERROR. Please, choose a resolution of Prey."},
        {"bad user demo", {0}, true, "ERROR. Please, check your custom defined demo parameters."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        view.messages.clear();
        WriteWholeFile(DebugPath(), "earlier pass\r\n");
        report.startPass("earlier", ReportDocument::Mode::Interactive);
        game.planned = c.planned;
        game.demoError = c.demoError;

        controller->BenchButtonClick();
        dxrun.End();
        EXPECT_EQ(view.messages, std::vector<std::string>{c.message});
        const EventList tail(events.end() - 4, events.end());
        EXPECT_EQ(tail, (EventList{std::string("message ") + c.message, "panel hidden", "mark 0", "button on"}));
        EXPECT_TRUE(Contains(events, "prepare config"));  // an interactive pass prepares before it checks
        EXPECT_EQ(LinesOnDisk(DebugPath()), std::vector<std::string>{"earlier pass"});
        EXPECT_EQ(report.startTime(), "earlier");
        EXPECT_FALSE(cp.Running());
    }
}

TEST_F(PassTest, MissingGameFolderIsSaidBeforeTheMachineIsDescribed) {
    WriteWholeFile(DebugPath(), "earlier pass\r\n");
    for (const bool batch : {false, true}) {
        SCOPED_TRACE(batch ? "batch" : "interactive");
        events.clear();
        view.messages.clear();
        mode.BatchMode = batch;
        bench.resolution = "640";
        paths.GamePath.clear();
        game.planned = {0};
        controller->BenchButtonClick();
        EXPECT_EQ(dxrun.starts, 0) << "the diagnostics tool never started";
        EXPECT_FALSE(dxrun.Running());
        const std::string text = batch ? "Please, install the retail version of Prey."
                                       : "ERROR. Please, install the retail version of Prey.";
        EXPECT_EQ(view.messages, std::vector<std::string>{text});
        EXPECT_TRUE(view.runButtonEnabled);
        EXPECT_FALSE(Contains(events, "prepare demo"));
        EXPECT_EQ(LinesOnDisk(DebugPath()), std::vector<std::string>{"earlier pass"});
    }
}

TEST_F(PassTest, GameThatCannotStartStopsThePassQuietly) {
    game.planned = {0, 1};
    cp.failNextStart = true;
    controller->BenchButtonClick();
    dxrun.End();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(view.runButtonEnabled);
    EXPECT_TRUE(view.panelShown);
    EXPECT_EQ(settings.values["NoErrorWarning"], "1");
    EXPECT_EQ(events.back(), "button on");
}

TEST_F(PassTest, ReportThatCannotBeSavedIsShownOnceAndThePassStillEnds) {
    paths.ResultPath = "/no-such-lurk-folder/results";
    game.planned = {0, 1};
    RunPass({"seconds = 60.0 fps", "seconds = 61.0 fps"});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find(ReportPath()), std::string::npos) << view.messages[0];
    EXPECT_TRUE(view.opened.empty());
    EXPECT_TRUE(Contains(events, "restore with lines"));
    EXPECT_TRUE(view.runButtonEnabled);
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
    EXPECT_EQ(files.folders.count(paths.ResultPath), 0u) << "a folder the user chose is not recreated";
}

TEST_F(PassTest, MissingDefaultResultsFolderIsMadeBeforeTheReportIsSaved) {
    paths.ResultPath = DefaultResultPath(paths.BenchDir);
    game.planned = {0};
    RunPass({"seconds = 60.0 fps"});
    EXPECT_EQ(files.folders.count(paths.ResultPath), 1u);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.opened.size(), 1u);
}

// A console log another program keeps open cannot be deleted, and a log left behind would
// hand the next run this run's score: the pass stops, and the error is reported.
TEST_F(PassTest, LogThatCannotBeDeletedStopsThePassWithTheFilesBackAndTheWindowUsable) {
    game.planned = {0, 1};
    controller->BenchButtonClick();
    dxrun.End();
    files.files[LogPath()] = "seconds = 60.0 fps";
    files.undeletable.insert(LogPath());
    EXPECT_THROW(cp.End(), std::runtime_error);
    EXPECT_EQ(cp.starts, 1) << "the second run must not start";
    EXPECT_TRUE(Contains(events, "restore with lines"));
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
    EXPECT_FALSE(view.panelShown);
    EXPECT_TRUE(view.runButtonEnabled);
}

TEST_F(PassTest, RestoreFailingAfterAnErrorKeepsThePassMarkForTheRecovery) {
    game.planned = {0, 1};
    game.restoreFails = true;
    controller->BenchButtonClick();
    dxrun.End();
    files.files[LogPath()] = "seconds = 60.0 fps";
    files.undeletable.insert(LogPath());
    EXPECT_THROW(cp.End(), std::runtime_error);
    EXPECT_EQ(settings.values["NoErrorWarning"], "1");
    EXPECT_TRUE(view.runButtonEnabled);
    EXPECT_TRUE(Contains(log.Lines(), "Restore after an error failed: Cannot move file autoexec_old.cfg"));
}

class BatchPassTest : public PassTest {
protected:
    void SetUp() override {
        PassTest::SetUp();
        mode.BatchMode = true;
        bench.resolution = "640";
    }
};

TEST_F(BatchPassTest, OneRunSavedNotOpenedAndTheProgramEnds) {
    game.planned = {5};  // the window's selection plays no part in a batch pass
    RunPass({"seconds = 88.8 fps"});
    EXPECT_EQ(cp.starts, 1);
    std::vector<std::string> expected = Section(ResolutionHeading("640", "", ""), ScoreLine("88.8"));
    expected.push_back("<br><HR>");
    expected.push_back(kClosing);
    expected.push_back(FooterLine(ReportDocument::Mode::Batch));
    const std::vector<std::string> onDisk = LinesOnDisk(ReportPath());
    EXPECT_EQ(onDisk[21], "<span class=\"style4\">System Information<br></span>");
    EXPECT_EQ(AfterSeparator(onDisk), expected);
    EXPECT_TRUE(view.opened.empty());
    EXPECT_TRUE(view.endRequested);
    EXPECT_TRUE(Contains(events, "restore quietly"));
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
    // The clean-up still runs after the end was requested.
    const auto end = std::find(events.begin(), events.end(), "end program");
    EXPECT_EQ(std::count(end, events.end(), "pause 1000"), 1);
    EXPECT_FALSE(files.FileExists(LogPath()));
    // Batch debug lines: the head, then per run only the start lines and "CP terminated".
    const std::vector<std::string> debug = LinesOnDisk(DebugPath());
    EXPECT_EQ(std::vector<std::string>(debug.end() - 4, debug.end()),
              (std::vector<std::string>{"", "START", "Resolution: 640 \xD7 480...", "CP terminated"}));
    EXPECT_EQ(debug.size(), 11u + 4u);
}

TEST_F(BatchPassTest, LimitOfTheSwitchEndsTheRunAndTheReportSaysSo) {
    bench.timeLimit = "LIMIT4";
    controller->BenchButtonClick();
    dxrun.End();
    EXPECT_EQ(cp.TimeLimit(), 4);
    cp.EndByTimeLimit();  // no log at all
    std::vector<std::string> expected = Section(ResolutionHeading("640", "", ""), NoScoreLine());
    expected.push_back("The game did not finish within the time limit of 4 seconds and was ended.<br>");
    expected.push_back("<br><HR>");
    expected.push_back(kClosing);
    expected.push_back(FooterLine(ReportDocument::Mode::Batch));
    EXPECT_EQ(AfterSeparator(LinesOnDisk(ReportPath())), expected);
    EXPECT_TRUE(view.endRequested);
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
}

TEST_F(BatchPassTest, WithoutTheSwitchTheDefaultLimitHolds) {
    controller->BenchButtonClick();
    dxrun.End();
    EXPECT_EQ(cp.TimeLimit(), 1800);
}

// Passes of a batch file can share a start time (a time format without seconds, the clock
// set back): the earlier reports stay and the new one takes the next free name.
TEST_F(BatchPassTest, ReportsOfEarlierPassesWithTheSameStartTimeAreKept) {
    const std::string first = JoinPath(paths.ResultPath, "result_12_8_2006_8_56_01_PM.htm");
    const std::string second = JoinPath(paths.ResultPath, "result_12_8_2006_8_56_01_PM_2.htm");
    files.files[first] = "first pass";
    files.files[second] = "second pass";
    RunPass({"seconds = 88.8 fps"});
    EXPECT_EQ(ReportPath(), JoinPath(paths.ResultPath, "result_12_8_2006_8_56_01_PM_3.htm"));
    EXPECT_EQ(AfterSeparator(LinesOnDisk(ReportPath()))[7], ScoreLine("88.8"));
    EXPECT_FALSE(OnDisk(first));
    EXPECT_FALSE(OnDisk(second));
}

TEST_F(BatchPassTest, ScoreTextIsWrittenAsPrintedAndNoLogMeansNoFile) {
    RunPass({"seconds = nan fps"});
    EXPECT_EQ(AfterSeparator(LinesOnDisk(ReportPath()))[7], ScoreLine("nan"));

    std::filesystem::remove_all(temp);
    std::filesystem::create_directory(temp);
    view.endRequested = false;
    RunPass({std::nullopt});
    EXPECT_FALSE(OnDisk(ReportPath()));
    EXPECT_TRUE(view.endRequested);
    EXPECT_EQ(CountOf(events, "restore quietly"), 2);
}

TEST_F(BatchPassTest, ReportThatCannotBeSavedIsShownAfterTheRestoreAndTheProgramStillEnds) {
    paths.ResultPath = "/no-such-lurk-folder/results";
    RunPass({"seconds = 88.8 fps"});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find(ReportPath()), std::string::npos) << view.messages[0];
    // While the message waits, the user's files are back and no recovery would be offered.
    const auto message = std::find(events.begin(), events.end(), "message " + view.messages[0]);
    EXPECT_LT(std::find(events.begin(), events.end(), "restore quietly"), message);
    EXPECT_LT(std::find(events.begin(), events.end(), "button on"), message);
    EXPECT_EQ(std::find(message, events.end(), "end program") - message, 1);
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
    EXPECT_TRUE(view.endRequested);
}

TEST_F(BatchPassTest, RefusalsKeepThePanelAndWriteNoMark) {
    bench.resolution.clear();
    controller->BenchButtonClick();
    dxrun.End();
    EXPECT_EQ(view.messages, std::vector<std::string>{"Please, define a resolution of Prey."});
    paths.GamePath.clear();
    controller->BenchButtonClick();
    EXPECT_EQ(view.messages.back(), "Please, install the retail version of Prey.");
    EXPECT_TRUE(view.panelShown);
    EXPECT_TRUE(view.runButtonEnabled);
    EXPECT_FALSE(Contains(events, "prepare config"));
    EXPECT_EQ(settings.values.count("NoErrorWarning"), 0u);
    EXPECT_FALSE(view.endRequested);
}

TEST_F(PassTest, OpenSwitchRecordsThePresentLogWithoutAnyProcess) {
    mode.OpenMode = true;
    files.files[LogPath()] = "seconds = 42.0 fps";
    controller->BenchButtonClick();
    EXPECT_EQ(dxrun.starts + cp.starts, 0);
    // No heading, and the demo and aspect lines hold only their fixed text: nothing set them.
    std::vector<std::string> expected = Section("", ScoreLine("42.0"));
    expected[0] = "Demo: <br>";
    expected[2] = "<br>";
    expected.push_back(kClosing);
    expected.push_back(FooterLine(ReportDocument::Mode::Interactive));
    EXPECT_EQ(ReportPath(), paths.ResultPath + "\\result_.htm");
    EXPECT_EQ(LinesOnDisk(ReportPath()), expected);
    EXPECT_EQ(view.opened, std::vector<std::string>{ReportPath()});
    EXPECT_FALSE(files.FileExists(LogPath()));
    // Each press appends to what the previous one left.
    files.files[LogPath()] = "seconds = 43.0 fps";
    controller->BenchButtonClick();
    EXPECT_EQ(LinesOnDisk(ReportPath()).size(), 2 * expected.size());
}

}  // namespace

namespace {

std::string GameLog(const std::string& window, const std::string& result) {
    return "...created window @ 0,0 (" + window + ")\r\nstopped playing rivo3v-6.demo.\r\n" + result + "\r\n";
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(PassTest, RunsPerResolutionWithWarmUpGiveMeanStatisticsAndFlags) {
    game.planned = {0, 2};
    options.repeats = 3;
    options.warmUp = true;
    const std::string whole640 = GameLog("640x480", "2000 frames rendered in 10.0 seconds = 200.0 fps");
    const std::string whole1024 = GameLog("1024x768", "2000 frames rendered in 20.0 seconds = 100.0 fps");
    RunPass({whole640, whole640, GameLog("800x600", "2000 frames rendered in 10.5 seconds = 190.5 fps"),
             GameLog("640x480", "1200 frames rendered in 6.0 seconds = 200.0 fps"), whole1024, whole1024,
             std::nullopt, whole1024});
    EXPECT_EQ(cp.starts, 8) << "a warm-up and three counted runs per resolution";
    for (const char* caption : {"caption Resolution: 640 \xD7 480... (warm-up run)",
                                "caption Resolution: 640 \xD7 480... (run 1 of 3)",
                                "caption Resolution: 1024 \xD7 768... (run 3 of 3)"}) {
        EXPECT_TRUE(Contains(events, caption)) << caption;
    }
    EXPECT_EQ(CountOf(events, "open"), 1) << "the pass finishes once";
    EXPECT_EQ(pass.CompletedRuns, 2);

    const std::vector<std::string> onDisk = LinesOnDisk(ReportPath());
    const std::string red = "<FONT size=2 color=\"#FF0000\">";
    for (const std::string& line : {
             ScoreLine("196.8"),
             std::string("<FONT size=2>Runs: 200.0 (warm-up, not counted), 200.0, 190.5, 200.0; mean 196.8, standard "
                         "deviation 5.48 (2.8 %), min 190.5, max 200.0</FONT><br>"),
             red + "Run 2: The game ran at 800\xD7" "600, not at the resolution asked.</FONT><br>",
             red + "Run 3: The demo did not play whole: 1200 frames where the other runs rendered 2000.</FONT><br>",
             ScoreLine("100.0"),
             std::string("<FONT size=2>Runs: 100.0 (warm-up, not counted), 100.0, run 2 no score (left out), 100.0; "
                         "mean 100.0, standard deviation 0.00 (0.0 %), min 100.0, max 100.0</FONT><br>")}) {
        EXPECT_TRUE(Has(onDisk, line)) << line;
    }
    EXPECT_EQ(std::count_if(onDisk.begin(), onDisk.end(), [&](const std::string& l) { return l.rfind(red, 0) == 0; }),
              2)
        << "no unsteady line under 3 %, no other flag";

    const std::vector<std::string> debug = LinesOnDisk(DebugPath());
    EXPECT_TRUE(Has(debug, "Check windowSize: Run 2: The game ran at 800\xD7" "600, not at the resolution asked."));
    EXPECT_TRUE(Has(debug, "FPS: 196.8"));

    std::string json, schema;
    ASSERT_TRUE(files.ReadFile(JoinPath(paths.ResultPath, DataFileNameOf("result_" + report.fileStamp() + ".htm")), json));
    ASSERT_TRUE(ReadWholeFile(std::string(LURK_SOURCE_DIR) + "/docs/result.schema.json", schema));
    EXPECT_EQ(lurk_test::ResultSchemaErrors(schema, json), "");
    EXPECT_NE(json.find("\"shortDemo\""), std::string::npos);
    std::string csv;
    ASSERT_TRUE(files.ReadFile(JoinPath(paths.ResultPath, kResultsCsvName), csv));
    EXPECT_EQ(csv.rfind(std::string(kUtf8Bom) + CsvHeaderRow(), 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 9) << "the header and one row per run";
}

// What the frame recorder leaves in the capture file the program named: the game's process,
// the counter's frequency (1 MHz) and one stamp per swap, starting at 1 s.
void RecordSwaps(std::string& capture, const std::vector<int>& frameTimesUs) {
    const auto put = [&](std::size_t at, std::uint64_t value, int size) {
        for (int i = 0; i < size; ++i) capture[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(12, 4242, 4);
    put(16, 1000000, 8);
    put(24, frameTimesUs.size() + 1, 4);
    std::uint64_t stamp = 1000000;
    put(32, stamp, 8);
    for (std::size_t i = 0; i < frameTimesUs.size(); ++i) put(40 + 8 * i, stamp += frameTimesUs[i], 8);
}

// 200 frames of 10 ms with three of 40 ms among them: 2.09 s, so a 1 % low of 25 FPS.
std::vector<int> SteadyWithSpikes() {
    std::vector<int> times(200, 10000);
    times[50] = times[100] = times[150] = 40000;
    return times;
}

class FrameTimesPassTest : public PassTest {
protected:
    void SetUp() override {
        PassTest::SetUp();
        recorder = JoinPath(paths.BenchDir, "QWK_FrameRecorder.dll");
        capture = JoinPath(paths.BenchDir, "Lurkmark frames.capture");
        options.frameTimes = true;
        files.files[recorder] = "MZ";
        game.planned = {0};
    }
    // Ends the running game after its recorder stored these swaps (none: the game did not load it).
    void EndGame(const std::optional<std::vector<int>>& swaps, const std::string& result) {
        ASSERT_TRUE(cp.Running());
        if (swaps) {
            ASSERT_TRUE(files.files.count(capture)) << "the capture file is made before the game starts";
            RecordSwaps(files.files[capture], *swaps);
        }
        files.files[LogPath()] = GameLog("640x480", result);
        cp.End();
    }
    // BenchDir is known once the base fixture is set up.
    std::string recorder, capture;
    const std::string result = "200 frames rendered in 2.1 seconds = 95.7 fps";
};

TEST_F(FrameTimesPassTest, EachGameGetsAFreshCaptureAndTheRunsGiveFiguresCsvFilesAndReportLines) {
    options.repeats = 2;
    options.warmUp = true;
    controller->BenchButtonClick();
    dxrun.End();
    for (int run = 0; run < 3; ++run) {
        ASSERT_TRUE(cp.Running());
        EXPECT_TRUE(files.files[capture] == NewFrameCaptureBytes()) << "a fresh capture file for run " << run;
        EXPECT_EQ(cp.AddedVariables(), (EnvironmentVariables{{"LURK_FRAME_CAPTURE", capture}}));
        EXPECT_EQ(pass.FrameRecorder, FrameRecorderArgument(recorder));
        // The warm-up is steady: pooled with the counted runs it would change every figure.
        EndGame(run == 0 ? std::vector<int>(200, 10450) : SteadyWithSpikes(), result);
    }
    ASSERT_FALSE(cp.Running());
    EXPECT_EQ(files.files.count(capture), 0u) << "removed once read";

    const std::string stamp = "result_" + report.fileStamp();
    for (int run = 0; run < 3; ++run) {
        std::string csv;
        ASSERT_TRUE(files.ReadFile(JoinPath(paths.ResultPath, stamp + "_frames_640_run" + std::to_string(run) + ".csv"), csv))
            << run;
        const std::optional<std::vector<double>> times = ReadPresentMonCsv(csv);
        ASSERT_TRUE(times);
        ASSERT_EQ(times->size(), 200u);
        EXPECT_NEAR((*times)[100], run == 0 ? 10.45 : 40.0, 1e-9);
        EXPECT_NE(csv.find(",4242,"), std::string::npos) << "the game's process";
    }
    const std::vector<std::string> onDisk = AfterSeparator(LinesOnDisk(ReportPath()));
    const auto statistics = std::find_if(onDisk.begin(), onDisk.end(),
                                         [](const std::string& l) { return l.rfind("<FONT size=2>Runs: ", 0) == 0; });
    ASSERT_NE(statistics, onDisk.end());
    ASSERT_GE(onDisk.end() - statistics, 3);
    EXPECT_EQ(statistics[1], "<FONT size=2>Frame times: 1 % low 25.0 FPS, 0.1 % low 25.0 FPS, 99th percentile frame "
                             "time 40.00 ms, worst frame 40.00 ms</FONT><br>")
        << "right after the score lines, from the counted runs only";
    EXPECT_EQ(statistics[2].rfind("<FONT size=2>Stutters: 6 of 400 frames", 0), 0u) << statistics[2];
    EXPECT_TRUE(Has(LinesOnDisk(DebugPath()), "Frame times: 200 frames, 1 % low 25.0 FPS"));

    std::string json, schema;
    ASSERT_TRUE(files.ReadFile(JoinPath(paths.ResultPath, DataFileNameOf(stamp + ".htm")), json));
    ASSERT_TRUE(ReadWholeFile(std::string(LURK_SOURCE_DIR) + "/docs/result.schema.json", schema));
    EXPECT_EQ(lurk_test::ResultSchemaErrors(schema, json), "");
    const ResultFileReading reading = ReadResultFile(json);
    ASSERT_TRUE(reading.pass) << reading.problem;
    const ResolutionSummary& resolution = reading.pass->resolutions.at(0);
    ASSERT_TRUE(resolution.frameTimes);
    EXPECT_EQ(resolution.frameTimes->frames, 400);
    EXPECT_NEAR(resolution.frameTimes->p99Ms, 40.0, 1e-6);
    ASSERT_EQ(resolution.runs.size(), 3u);
    EXPECT_EQ(resolution.runs[1].frameTimesFile, stamp + "_frames_640_run1.csv");
    ASSERT_TRUE(resolution.runs[0].frameTimes);
    EXPECT_NEAR(resolution.runs[0].frameTimes->p99Ms, 10.45, 1e-6);
    EXPECT_NE(json.find("\"frameTimes\": true"), std::string::npos) << "the pass's option";
}

// A batch pass takes the option from its switch and saves its log only now and then: the
// frame-time lines still reach the file before the program ends.
TEST_F(FrameTimesPassTest, ABatchPassWithTheSwitchRecordsAndSavesItsLines) {
    options.frameTimes = false;
    mode.BatchMode = true;
    bench.resolution = "640";
    bench.frames = "FRAMES";
    controller->BenchButtonClick();
    dxrun.End();
    EndGame(SteadyWithSpikes(), result);
    ASSERT_TRUE(view.endRequested);
    EXPECT_TRUE(Has(LinesOnDisk(DebugPath()), "Frame times: 200 frames, 1 % low 25.0 FPS"));
    EXPECT_TRUE(files.FileExists(JoinPath(paths.ResultPath, "result_" + report.fileStamp() + "_frames_640_run1.csv")));
    EXPECT_TRUE(Has(AfterSeparator(LinesOnDisk(ReportPath())),
                    "<FONT size=2>Frame times: 1 % low 25.0 FPS, 0.1 % low 25.0 FPS, 99th percentile frame time "
                    "40.00 ms, worst frame 40.00 ms</FONT><br>"));
}

// No frame times is never a failure: each run counts with its score, the debug log says why,
// the section says so once.
TEST_F(FrameTimesPassTest, RunsWithoutFrameTimesCountAsWithoutTheOptionAndTheDebugLogSaysWhy) {
    options.repeats = 3;
    options.gameTimeLimitSeconds = 600;
    controller->BenchButtonClick();
    dxrun.End();
    EndGame(std::nullopt, result);  // the game kept its own GL library
    ASSERT_TRUE(cp.Running());
    files.files.erase(recorder);  // gone before the third game starts
    RecordSwaps(files.files[capture], SteadyWithSpikes());
    cp.EndByTimeLimit();
    ASSERT_TRUE(cp.Running());
    EXPECT_EQ(pass.FrameRecorder, "") << "the game keeps its own GL library";
    EXPECT_TRUE(cp.AddedVariables().empty());
    EXPECT_EQ(files.files.count(capture), 0u);
    EndGame(std::nullopt, "200 frames rendered in 2.0 seconds = 100.1 fps");
    ASSERT_FALSE(cp.Running());

    const std::vector<std::string> debug = LinesOnDisk(DebugPath());
    for (const std::string& line : {std::string("Frame times not recorded: the game did not load the frame recorder."),
                                    std::string("Frame times not recorded: the game was ended by the time limit."),
                                    "Frame times not recorded: the frame recorder " + recorder + " is missing."}) {
        EXPECT_TRUE(Has(debug, line)) << line;
    }
    const std::vector<std::string> onDisk = AfterSeparator(LinesOnDisk(ReportPath()));
    EXPECT_TRUE(Has(onDisk, ScoreLine("97.9")));
    EXPECT_EQ(std::count_if(onDisk.begin(), onDisk.end(),
                            [](const std::string& l) { return l.find("frame times not recorded") != std::string::npos; }),
              1);
    for (const auto& [path, bytes] : files.files) EXPECT_EQ(path.find("_frames_"), std::string::npos) << path;
}

TEST_F(BatchPassTest, RunsOfTheOneResolutionEndTheProgramOnceAfterTheLast) {
    bench.runs = "RUNS2";
    RunPass({"seconds = 88.8 fps", "seconds = 90.0 fps"});
    EXPECT_EQ(cp.starts, 2);
    EXPECT_EQ(CountOf(events, "end program"), 1);
    std::vector<std::string> expected = Section(ResolutionHeading("640", "", ""), ScoreLine("89.4"));
    expected.push_back("<FONT size=2>Runs: 88.8, 90.0; mean 89.4, standard deviation 0.85 (0.9 %), min 88.8, max "
                       "90.0</FONT><br>");
    expected.push_back("<br><HR>");
    expected.push_back(kClosing);
    expected.push_back(FooterLine(ReportDocument::Mode::Batch));
    EXPECT_EQ(AfterSeparator(LinesOnDisk(ReportPath())), expected);
}

TEST_F(PassTest, DataFilesThatCannotBeWrittenAreReportedOnceAndLeaveTheOldFileWhole) {
    game.planned = {0, 2};
    const std::string csv = JoinPath(paths.ResultPath, kResultsCsvName);
    const std::string old = std::string(kUtf8Bom) + CsvHeaderRow() + "earlier,row\r\n";
    files.files[csv] = old;
    files.unwritable.insert(csv);  // the folder gives no right to write it
    RunPass({"seconds = 27.4 fps", "seconds = 30.0 fps"});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "The results data could not be saved. Cannot open file " + csv);
    EXPECT_EQ(files.files[csv], old);
    EXPECT_EQ(view.opened.size(), 1u) << "the report is still written and opened";
    EXPECT_TRUE(files.FileExists(JoinPath(paths.ResultPath, DataFileNameOf("result_" + report.fileStamp() + ".htm"))));
}

TEST_F(BatchPassTest, DataFileFailureIsToldAfterTheRestore) {
    const std::string csv = JoinPath(paths.ResultPath, kResultsCsvName);
    files.files[csv] = "";
    files.unwritable.insert(csv);
    RunPass({"seconds = 88.8 fps"});
    const auto restore = std::find(events.begin(), events.end(), "restore quietly");
    const auto message = std::find(events.begin(), events.end(),
                                   "message The results data could not be saved. Cannot open file " + csv);
    ASSERT_NE(message, events.end());
    EXPECT_LT(restore, message);
    EXPECT_TRUE(OnDisk(ReportPath()));
    EXPECT_TRUE(view.endRequested);
}

TEST_F(PassTest, CancelDuringTheSecondGameKeepsTheFirstSectionAndEndsThePassCancelled) {
    game.planned = {0, 2, 8};
    options.repeats = 2;
    controller->BenchButtonClick();
    dxrun.End();
    for (const char* score : {"seconds = 27.0 fps", "seconds = 28.0 fps", "seconds = 90.0 fps"}) {
        files.files[LogPath()] = score;
        cp.End();
    }
    ASSERT_TRUE(cp.Running()) << "the second resolution's second run plays";
    const std::string json = JoinPath(paths.ResultPath, DataFileNameOf("result_" + report.fileStamp() + ".htm"));
    const std::string dataBefore = files.files[json];

    EXPECT_TRUE(controller->Cancel());
    EXPECT_TRUE(view.panelShown) << "nothing ends before the game does";
    files.files[LogPath()] = "seconds = 99.9 fps";  // what the ended game left is no result
    cp.End();

    EXPECT_EQ(cp.starts, 4) << "no game after the cancel";
    std::vector<std::string> expected = Section(ResolutionHeading("640", "", ""), ScoreLine("27.5"));
    expected.push_back("<FONT size=2>Runs: 27.0, 28.0; mean 27.5, standard deviation 0.71 (2.6 %), min 27.0, "
                       "max 28.0</FONT><br>");
    for (const std::string line : {CancelledLine(), kClosing, FooterLine(ReportDocument::Mode::Interactive)}) {
        expected.push_back(line);
    }
    EXPECT_EQ(AfterSeparator(LinesOnDisk(ReportPath())), expected);
    EXPECT_EQ(CancelledLine(), "<BR><span class=\"style5\"><b>Benchmark cancelled by the user.</b></span><br>");
    EXPECT_EQ(view.opened, std::vector<std::string>{ReportPath()});
    EXPECT_EQ(files.files[json], dataBefore) << "the data files hold the finished resolution only";
    EXPECT_NE(dataBefore.find("\"640\""), std::string::npos);
    EXPECT_EQ(dataBefore.find("\"1024\""), std::string::npos);

    const std::vector<std::string> debug = LinesOnDisk(DebugPath());
    EXPECT_TRUE(Has(debug, "Benchmark cancelled by the user."));
    EXPECT_FALSE(Has(debug, "FPS: 99.9"));
    const EventList tail(events.end() - 4, events.end());
    EXPECT_EQ(tail, (EventList{"pause 1000", "panel hidden", "mark 0", "button on"}));
    EXPECT_EQ(CountOf(events, "restore with lines"), 1);
    EXPECT_EQ(settings.values["NoErrorWarning"], "0");
    EXPECT_FALSE(files.FileExists(LogPath()));
    EXPECT_FALSE(files.FileExists("C:\\Prey\\Lurkmark.bat"));
    EXPECT_FALSE(controller->Cancel()) << "nothing is left to cancel";
}

TEST_F(PassTest, CancelBeforeAnySectionWritesNoReportAndBeforeTheGameSetsNothingBack) {
    struct Case {
        const char* name;
        bool inGame;
    } cases[] = {{"during the diagnostics tool", false}, {"during the first game", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        game.planned = {0, 2};
        controller->BenchButtonClick();
        if (c.inGame) dxrun.End();
        const int starts = cp.starts;

        EXPECT_TRUE(controller->Cancel());
        EXPECT_TRUE(controller->Cancel()) << "pressed again while the process resists";
        (c.inGame ? cp : dxrun).End();

        EXPECT_EQ(cp.starts, starts);
        EXPECT_FALSE(OnDisk(ReportPath()));
        EXPECT_TRUE(view.opened.empty());
        EXPECT_FALSE(view.panelShown);
        EXPECT_TRUE(view.runButtonEnabled);
        EXPECT_EQ(CountOf(events, "restore with lines"), c.inGame ? 1 : 0);
        EXPECT_EQ(CountOf(log.Lines(), "Benchmark cancelled by the user."), 1);
        log.Clear();
    }
    // The next pass runs whole.
    events.clear();
    RunPass({"seconds = 40.0 fps", "seconds = 41.0 fps"});
    EXPECT_EQ(view.opened.size(), 1u);
    EXPECT_NE(LinesOnDisk(ReportPath()).end()[-3], CancelledLine());
}

TEST_F(BatchPassTest, CancelIsNotOfferedToABatchPass) {
    controller->BenchButtonClick();
    dxrun.End();
    ASSERT_TRUE(cp.Running());
    EXPECT_FALSE(controller->Cancel());
    files.files[LogPath()] = "seconds = 88.8 fps";
    cp.End();
    EXPECT_TRUE(Has(LinesOnDisk(ReportPath()), ScoreLine("88.8")));
    EXPECT_FALSE(Has(LinesOnDisk(ReportPath()), CancelledLine()));
}

}  // namespace

// Every switch a batch line may leave out, in each combination: the data file the pass
// writes is valid against the published schema and reads back as the same pass.
TEST_F(BatchPassTest, DataFileOfEveryCombinationOfLeftOutSwitchesReadsBackAsTheSamePass) {
    std::string schema;
    ASSERT_TRUE(ReadWholeFile(std::string(LURK_SOURCE_DIR) + "/docs/result.schema.json", schema));
    std::string BenchOptions::*const groups[] = {&BenchOptions::demo,   &BenchOptions::aspect, &BenchOptions::shader,
                                                 &BenchOptions::aa,     &BenchOptions::af,     &BenchOptions::boost,
                                                 &BenchOptions::runs,   &BenchOptions::warmUp, &BenchOptions::timeLimit};
    const char* const tokens[] = {"DEMO2", "AR169", "SHIGHEST", "AA2", "AF8", "BOOST", "RUNS2", "WARMUP", "LIMIT60"};
    constexpr unsigned kGroups = sizeof tokens / sizeof tokens[0];
    for (unsigned named = 0; named < (1u << kGroups); ++named) {
        bench = BenchOptions{};
        bench.resolution = "1024";
        for (unsigned g = 0; g < kGroups; ++g) {
            if (named & (1u << g)) bench.*groups[g] = tokens[g];
        }
        files.files.clear();
        const int games = RunsPerResolution(bench) + (bench.warmUp.empty() ? 0 : 1);
        RunPass(std::vector<Log>(games, Log("2000 frames rendered in 16.6 seconds = 120.5 fps")));
        std::string json;
        ASSERT_TRUE(files.ReadFile(JoinPath(paths.ResultPath, DataFileNameOf("result_" + report.fileStamp() + ".htm")),
                                   json))
            << named;
        ASSERT_EQ(lurk_test::ResultSchemaErrors(schema, json), "") << named << "\n" << json;
        const ResultFileReading reading = ReadResultFile(json);
        ASSERT_TRUE(reading.pass) << named << ": " << reading.problem;

        rapidjson::Document written;
        written.Parse(json.c_str());
        const PassSummary& read = *reading.pass;
        const auto textOf = [&](const char* key) {
            const rapidjson::Value& v = written["options"][key];
            return v.IsNull() ? std::string() : std::string(v.GetString());
        };
        EXPECT_EQ(read.demo, textOf("demo")) << named;
        EXPECT_EQ(read.shader, textOf("shader")) << named;
        EXPECT_EQ(read.demo.empty(), bench.demo.empty()) << named;
        const std::string shown[] = {textOf("demo"),      textOf("aspect"),
                                     textOf("shader"),    textOf("antialiasing"),
                                     textOf("filtering"), bench.boost.empty() ? "Off" : "On",
                                     std::to_string(RunsPerResolution(bench)),
                                     bench.warmUp.empty() ? "no" : "yes",
                                     bench.timeLimit.empty() ? "1800 s" : "60 s"};
        ASSERT_EQ(read.options.size(), sizeof shown / sizeof shown[0]) << named;
        for (std::size_t i = 0; i < read.options.size(); ++i) EXPECT_EQ(read.options[i].value, shown[i]) << named << " " << i;
        EXPECT_EQ(read.runs, RunsPerResolution(bench)) << named;
        ASSERT_EQ(read.resolutions.size(), 1u) << named;
        const ResolutionSummary& r = read.resolutions[0];
        EXPECT_EQ(r.key, "1024");
        EXPECT_EQ(r.width, 1024);
        ASSERT_EQ(r.runs.size(), static_cast<std::size_t>(games)) << named;
        for (const RunSummary& run : r.runs) {
            EXPECT_EQ(run.ended, "scored") << named;
            EXPECT_EQ(run.score, 120.5) << named;
            EXPECT_EQ(run.frames, 2000) << named;
        }
        EXPECT_EQ(r.runs.front().warmUp, !bench.warmUp.empty()) << named;
        EXPECT_EQ(r.mean, 120.5) << named;
    }
}

// What a batch pass tells the program or script that started it: its outcome (the exit
// status), and on the standard output a line per resolution with the report's and the data
// file's paths.
TEST_F(BatchPassTest, ScoredPassEndsWithAllScoredAndPrintsScoreAndPaths) {
    RunPass({"2000 frames rendered in 22.5 seconds = 88.9 fps"});
    EXPECT_EQ(pass.Outcome, BatchExit::AllScored);
    const std::string json = JoinPath(paths.ResultPath, DataFileNameOf("result_" + report.fileStamp() + ".htm"));
    EXPECT_EQ(view.output, (std::vector<std::string>{"640x480: 88.9 FPS", "Report: " + ReportPath(), "Data: " + json}));
}

// A missing score is a failure (1); a flagged run that scored is a finding (6), a warning a
// job may choose to fail on.
TEST_F(BatchPassTest, RunsWithoutScoreEndWithNotAllScoredAndFlaggedRunsWithFindings) {
    const struct {
        const char* name;
        Log log;
        const char* line;
        BatchExit outcome;
    } cases[] = {
        {"letters", Log("seconds = nan fps"), "640x480: No Score", BatchExit::NotAllScored},
        {"no log", std::nullopt, "640x480: No Score", BatchExit::NotAllScored},
        {"flagged", Log("created window @ 0,0 (800x600)\n2000 frames rendered in 22.5 seconds = 88.9 fps"),
         "640x480: 88.9 FPS (The game ran at 800x600, not at the resolution asked.)", BatchExit::ScoredWithFindings},
    };
    for (const auto& c : cases) {
        pass.Outcome.reset();
        view.output.clear();
        files.files.clear();
        RunPass({c.log});
        EXPECT_EQ(pass.Outcome, c.outcome) << c.name;
        ASSERT_FALSE(view.output.empty()) << c.name;
        EXPECT_EQ(view.output[0], c.line) << c.name;
        EXPECT_EQ(view.output.size(), c.log ? 3u : 1u) << c.name << ": no report, no paths";
        // The name claimed at the start is given back when no report is written.
        EXPECT_EQ(files.FileExists(ReportPath()), c.log.has_value()) << c.name;
    }
}

// A flagged run beside one without a score: the missing score decides.
TEST_F(BatchPassTest, AMissingScoreOutweighsAFlaggedRun) {
    bench.runs = "RUNS2";
    RunPass({"created window @ 0,0 (800x600)\n2000 frames rendered in 22.5 seconds = 88.9 fps", "seconds = nan fps"});
    EXPECT_EQ(pass.Outcome, BatchExit::NotAllScored);
}

TEST_F(BatchPassTest, EachRefusalEndsWithRefusedAndUnattendedTheProgramEnds) {
    mode.Quiet = true;
    const std::string reserved = JoinPath(paths.ResultPath, "result_12_8_2006_8_56_01_PM.htm");
    const struct {
        const char* name;
        std::function<void()> arrange;
        std::string message;  // its start
    } cases[] = {
        {"no game folder", [&] { paths.GamePath.clear(); }, "Please, install the retail version of Prey."},
        {"no resolution", [&] { bench.resolution.clear(); }, "Please, define a resolution of Prey."},
        {"results folder cannot be written", [&] { files.unwritable.insert(reserved); },
         "Please, choose a results folder that can be written. Cannot create file " + reserved},
    };
    for (const auto& c : cases) {
        paths.GamePath = "C:\\Prey";
        bench.resolution = "640";
        files.unwritable.clear();
        pass.Outcome.reset();
        view.messages.clear();
        view.endRequested = false;
        events.clear();
        c.arrange();
        controller->BenchButtonClick();
        if (dxrun.Running()) dxrun.End();
        EXPECT_EQ(pass.Outcome, BatchExit::Refused) << c.name;
        ASSERT_EQ(view.messages.size(), 1u) << c.name;
        EXPECT_EQ(view.messages[0].rfind(c.message, 0), 0u) << c.name << ": " << view.messages[0];
        EXPECT_TRUE(view.endRequested) << c.name;
        EXPECT_FALSE(Contains(events, "prepare config")) << c.name << ": nothing of the user's was touched";
        EXPECT_EQ(cp.starts, 0) << c.name;
    }
    EXPECT_EQ(settings.values.count("NoErrorWarning"), 0u);
}

TEST_F(BatchPassTest, SettingsFileThatCannotBeMovedAsideRefusesThePassAndPutsBackWhatMoved) {
    game.prepareFails = true;
    controller->BenchButtonClick();
    EXPECT_THROW(dxrun.End(), std::runtime_error);  // on to the program's error report
    EXPECT_EQ(pass.Outcome, BatchExit::Refused);
    EXPECT_TRUE(Contains(events, "restore with lines"));
    EXPECT_EQ(cp.starts, 0);
    EXPECT_FALSE(files.FileExists(ReportPath())) << "the claimed name is given back";

    game.prepareFails = false;
    game.restoreFails = true;
    pass.Outcome.reset();
    controller->BenchButtonClick();
    dxrun.End();
    files.files[LogPath()] = "seconds = 88.8 fps";
    EXPECT_THROW(cp.End(), std::runtime_error);
    EXPECT_EQ(pass.Outcome, BatchExit::FilesNotBack);
}

// A share that went away during the pass: one message, the user's files back first, and the
// caller learns that the results are not there.
TEST_F(BatchPassTest, ReportLostWithItsShareEndsWithResultsNotSaved) {
    paths.ResultPath = "/no-such-lurk-share/results";
    RunPass({"seconds = 88.8 fps"});
    EXPECT_EQ(pass.Outcome, BatchExit::ResultsNotSaved);
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(Contains(events, "restore quietly"));
    EXPECT_EQ(view.output, std::vector<std::string>{"640x480: 88.8 FPS"});
}

// Another PC holds the shared table longer than the wait: the rows go whole to this PC's
// side file, the message names both files, and nothing in the table is touched.
TEST_F(BatchPassTest, LockedTableSendsTheRowsToTheSideFileOfThisPc) {
    controller = std::make_unique<PassController>(
        ctx, machine, dxrun, cp,
        PassController::Platform{"C:\\windows\\system32", [] { return kStartTime; },
                                 [] { return std::string("2006-12-08T20:56:01+01:00"); },
                                 [] { return std::string("LAB-07"); }, [] { return std::string(); }});
    const std::string table = JoinPath(paths.ResultPath, kResultsCsvName);
    const std::string side = JoinPath(paths.ResultPath, "Lurkmark results LAB-07.csv");
    files.files[table] = std::string(kUtf8Bom) + "started,note\r\nearlier,row\r\n";
    const std::string before = files.files[table];
    files.locked.insert(table);
    RunPass({"seconds = 88.8 fps"});
    EXPECT_EQ(files.files[table], before);
    EXPECT_EQ(files.files[side].rfind(std::string(kUtf8Bom) + CsvHeaderRow(), 0), 0u);
    EXPECT_EQ(std::count(files.files[side].begin(), files.files[side].end(), '\n'), 2);
    EXPECT_NE(files.files[side].find(",LAB-07\r\n"), std::string::npos);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find(table), std::string::npos);
    EXPECT_NE(view.messages[0].find(side), std::string::npos);
    EXPECT_EQ(pass.Outcome, BatchExit::AllScored) << "every row is kept";
    EXPECT_EQ(files.lockWaits, (std::vector<unsigned>{30000, 30000}));
}

// Rows appended whole whose flush failed are in the table for every reader: the pass says so
// once, but counts them saved and appends nothing twice.
TEST_F(BatchPassTest, UnconfirmedFlushKeepsTheRowsSavedAndSaysSo) {
    const std::string table = JoinPath(paths.ResultPath, kResultsCsvName);
    files.unconfirmed.insert(table);
    RunPass({"seconds = 88.8 fps"});
    EXPECT_EQ(std::count(files.files[table].begin(), files.files[table].end(), '\n'), 2) << "header and one row";
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("could not confirm"), std::string::npos);
    EXPECT_NE(view.messages[0].find(table), std::string::npos);
    EXPECT_EQ(pass.Outcome, BatchExit::AllScored);
    EXPECT_EQ(files.lockWaits.size(), 1u);
}

TEST_F(BatchPassTest, GameThatCannotStartEndsAnUnattendedProgramWithAnInternalError) {
    mode.Quiet = true;
    cp.failNextStart = true;
    controller->BenchButtonClick();
    dxrun.End();
    EXPECT_EQ(pass.Outcome, BatchExit::InternalError);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].rfind("The game could not be started. ", 0), 0u);
    EXPECT_TRUE(view.endRequested);
}

// A pass abandoned before its first save (the program closed while the game runs) leaves no
// empty report behind; one that saved keeps its report.
TEST_F(PassTest, AbandonedPassGivesBackAReportNameItNeverWrote) {
    game.planned = {0, 2};
    controller->BenchButtonClick();
    dxrun.End();
    const std::string reserved = ReportPath();
    EXPECT_TRUE(files.FileExists(reserved));
    controller->ReleaseUnusedReportName();
    EXPECT_FALSE(files.FileExists(reserved));

    // The pass goes on; once its report is saved, the name is the report's.
    files.files[LogPath()] = "seconds = 27.4 fps";
    cp.End();
    EXPECT_TRUE(OnDisk(reserved));
    files.files[reserved] = "the saved report";
    controller->ReleaseUnusedReportName();
    EXPECT_TRUE(files.FileExists(ReportPath())) << "written once: it stays";
}

// Passes on a watched machine: the checks of the display's refresh rate, the processor and
// the power, and the High performance plan for the pass.

namespace {

const std::string kRed = "<FONT size=2 color=\"#FF0000\">";

class WatchedPassTest : public PassTest {
protected:
    void SetUp() override {
        PassTest::SetUp();
        ctx.watch = &watch;
    }
    std::string Json() {
        std::string json;
        EXPECT_TRUE(
            files.ReadFile(JoinPath(paths.ResultPath, DataFileNameOf("result_" + report.fileStamp() + ".htm")), json));
        return json;
    }
    std::string SchemaErrors(const std::string& json) {
        std::string schema;
        EXPECT_TRUE(ReadWholeFile(std::string(LURK_SOURCE_DIR) + "/docs/result.schema.json", schema));
        return lurk_test::ResultSchemaErrors(schema, json);
    }
    // The lines between the machine description's last info line and "<hr>".
    std::vector<std::string> MachineTail(const std::vector<std::string>& lines) {
        const auto hr = std::find(lines.begin(), lines.end(), "<hr>");
        auto from = hr;
        while (from != lines.begin() && from[-1].rfind("   <FONT size=2><b>", 0) != 0) --from;
        return std::vector<std::string>(from, hr);
    }
    FakeMachineWatch watch{events};
};

TEST_F(WatchedPassTest, AQuietMachineWritesTheReportDebugLogAndSettingsAsAnUnwatchedPass) {
    game.planned = {0, 2};
    options.note = "quiet";
    RunPass({"2000 frames rendered in 10.0 seconds = 200.0 fps", "2000 frames rendered in 20.0 seconds = 100.0 fps"});
    const std::vector<std::string> watched = LinesOnDisk(ReportPath());
    const std::vector<std::string> watchedDebug = LinesOnDisk(DebugPath());
    const std::map<std::string, std::string> watchedSettings = settings.values;
    const std::string json = Json();

    // The same pass again, on no watched machine at all.
    ctx.watch = nullptr;
    files.files.clear();
    files.folders.insert(paths.GamePath);
    std::filesystem::remove_all(temp);
    std::filesystem::create_directories(temp);
    RunPass({"2000 frames rendered in 10.0 seconds = 200.0 fps", "2000 frames rendered in 20.0 seconds = 100.0 fps"});
    EXPECT_EQ(watched, LinesOnDisk(ReportPath()));
    EXPECT_EQ(watchedDebug, LinesOnDisk(DebugPath()));
    EXPECT_EQ(watchedSettings, settings.values);

    // The data file gains what was read of the machine, and nothing else.
    EXPECT_EQ(SchemaErrors(json), "");
    EXPECT_NE(json.find("\"refreshRate\": 60"), std::string::npos);
    EXPECT_NE(json.find("\"powerSource\": \"mains\""), std::string::npos);
    EXPECT_NE(json.find("\"powerPlan\": \"Balanced\""), std::string::npos);
    EXPECT_EQ(json.find("\"code\""), std::string::npos) << json;
    EXPECT_EQ(Json().find("refreshRate"), std::string::npos) << "an unwatched pass knows no refresh rate";
    EXPECT_EQ(watch.sizesAsked, (std::vector<std::pair<int, int>>{{640, 480}, {1024, 768}}));
}

TEST_F(WatchedPassTest, TheProcessorIsMeasuredOverThePauseBeforeEachGame) {
    game.planned = {8};
    options.customOn = true;
    RunPass({"seconds = 50.0 fps"});
    const auto sample = std::find(events.begin(), events.end(), "processor sample");
    ASSERT_NE(sample, events.end());
    ASSERT_GE(events.end() - sample, 4);
    EXPECT_EQ(EventList(sample, sample + 3), (EventList{"processor sample", "pause 1000", "processor read"}));
    EXPECT_EQ(sample[3], "cp run");
    EXPECT_EQ(watch.sizesAsked, (std::vector<std::pair<int, int>>{{1920, 1200}}));
}

TEST_F(WatchedPassTest, FindingsOfTheRefreshRateTheProcessorAndThePower) {
    game.planned = {0, 2};
    options.repeats = 2;
    watch.busy = {BusyReading{37.6, "burner.exe"}};  // the first 640 run
    watch.battery = {false, false, true, true};        // unplugged before the 1024 runs
    RunPass({GameLog("640x480", "2000 frames rendered in 10.0 seconds = 200.0 fps"),
             GameLog("640x480", "2000 frames rendered in 10.0 seconds = 200.0 fps"),
             GameLog("1024x768", "2000 frames rendered in 33.3 seconds = 60.1 fps"),
             GameLog("1024x768", "2000 frames rendered in 33.7 seconds = 59.3 fps")});

    const std::vector<std::string> onDisk = LinesOnDisk(ReportPath());
    const std::string battery = "The machine ran on battery: Windows lowers the processor's and the graphics card's "
                                "clocks to save power.";
    EXPECT_EQ(MachineTail(onDisk), std::vector<std::string>{kRed + battery + "</FONT><br>"});
    const std::string busy = "The processor was 38 % busy with other work before the game started (busiest: "
                             "burner.exe).";
    const std::string cap = "The frame rate sits at the display's refresh rate of 60 Hz (or its half or third): "
                            "vertical sync or a frame limiter held the game back.";
    const std::vector<std::string> after = AfterSeparator(onDisk);
    std::vector<std::string> reds;
    std::copy_if(after.begin(), after.end(), std::back_inserter(reds),
                 [](const std::string& l) { return l.rfind(kRed, 0) == 0; });
    EXPECT_EQ(reds, (std::vector<std::string>{kRed + "Run 1: " + busy + "</FONT><br>", kRed + cap + "</FONT><br>"}))
        << "the cap once for the resolution, after its statistics";

    const std::vector<std::string> debug = LinesOnDisk(DebugPath());
    EXPECT_EQ(CountOf(debug, "Check refreshCap: " + cap), 1);
    EXPECT_EQ(CountOf(debug, "Check busyMachine: Run 1: " + busy), 1);
    EXPECT_EQ(CountOf(debug, "Check onBattery: " + battery), 1) << "said once though two starts ran on battery";

    const std::string json = Json();
    EXPECT_EQ(SchemaErrors(json), "");
    rapidjson::Document d;
    ASSERT_FALSE(d.Parse(json.c_str()).HasParseError());
    EXPECT_STREQ(d["powerSource"].GetString(), "battery");
    ASSERT_EQ(d["flags"].Size(), 1u);
    EXPECT_STREQ(d["flags"][0]["code"].GetString(), "onBattery");
    const auto& r640 = d["resolutions"][0];
    EXPECT_STREQ(r640["runs"][0]["flags"][0]["code"].GetString(), "busyMachine");
    EXPECT_EQ(r640["runs"][1]["flags"].Size(), 0u);
    const auto& r1024 = d["resolutions"][1];
    EXPECT_EQ(r1024["refreshRate"].GetInt(), 60);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(r1024["runs"][i]["flags"].Size(), 1u);
        EXPECT_STREQ(r1024["runs"][i]["flags"][0]["code"].GetString(), "refreshCap");
    }
    std::string csv;
    ASSERT_TRUE(files.ReadFile(JoinPath(paths.ResultPath, kResultsCsvName), csv));
    EXPECT_NE(csv.find(",1024\xC3\x97" "768,2,59.3,2000,33.7," + cap + " " + battery + ",\r\n"),
              std::string::npos)
        << csv;
}

TEST_F(WatchedPassTest, ThePowerSaverPlanIsFlaggedAndNoRefreshRateMeansNoCap) {
    watch.power = {false, kSaverPlan, "Energiesparmodus"};
    watch.refreshHz = std::nullopt;
    game.planned = {0};
    RunPass({"1800 frames rendered in 30.0 seconds = 60.0 fps"});
    const std::vector<std::string> onDisk = LinesOnDisk(ReportPath());
    EXPECT_EQ(MachineTail(onDisk),
              std::vector<std::string>{kRed + "The active power plan was Energiesparmodus, which lowers the "
                                              "processor's clocks to save energy.</FONT><br>"});
    const std::vector<std::string> after = AfterSeparator(onDisk);
    EXPECT_FALSE(std::any_of(after.begin(), after.end(), [](const std::string& l) { return l.rfind(kRed, 0) == 0; }));
    EXPECT_NE(Json().find("\"powerPlan\": \"Energiesparmodus\""), std::string::npos);
}

TEST_F(WatchedPassTest, TheHighPerformancePlanIsPutBackOnEveryWayOutOfAPass) {
    enum class Way { LastRun, Cancel, Error, RestoreFails };
    const struct {
        const char* way;
        bool batch;
        Way end;
    } cases[] = {
        {"the last run", false, Way::LastRun},
        {"a cancel", false, Way::Cancel},
        {"an error after the game", false, Way::Error},
        {"a restore that fails", false, Way::RestoreFails},
        {"a batch restore that fails", true, Way::RestoreFails},
        {"the batch pass's end", true, Way::LastRun},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        events.clear();
        mode.BatchMode = c.batch;
        bench.resolution = c.batch ? "640" : "";
        bench.highPerf = "HIGHPERF";  // the batch switch
        options.highPerformancePlan = true;  // the window's option
        game.planned = {0};
        controller->BenchButtonClick();
        dxrun.End();
        ASSERT_TRUE(cp.Running());
        EXPECT_EQ(watch.power.planGuid, kHighPerformancePlan);
        EXPECT_EQ(settings.values["PowerPlanBefore"], kBalancedPlan) << "kept for a start after a crash";
        switch (c.end) {
        case Way::LastRun:
            files.files[LogPath()] = "seconds = 80.0 fps";
            cp.End();
            break;
        case Way::Cancel:
            EXPECT_TRUE(controller->Cancel());
            cp.End();
            break;
        case Way::Error:
            files.undeletable.insert(LogPath());
            files.files[LogPath()] = "seconds = 80.0 fps";
            EXPECT_THROW(cp.End(), std::runtime_error);
            files.undeletable.clear();
            break;
        case Way::RestoreFails:
            game.restoreFails = true;
            files.files[LogPath()] = "seconds = 80.0 fps";
            EXPECT_THROW(cp.End(), std::runtime_error);
            game.restoreFails = false;
            break;
        }
        EXPECT_EQ(watch.power.planGuid, kBalancedPlan);
        EXPECT_EQ(settings.values["PowerPlanBefore"], "");
        EXPECT_EQ(CountOf(events, std::string("plan ") + kBalancedPlan), 1);
    }
}

TEST_F(WatchedPassTest, AGameThatCannotStartPutsThePlanBack) {
    options.highPerformancePlan = true;
    game.planned = {0};
    cp.failNextStart = true;
    controller->BenchButtonClick();
    dxrun.End();
    EXPECT_EQ(watch.power.planGuid, kBalancedPlan);
    EXPECT_EQ(settings.values["PowerPlanBefore"], "");
}

TEST_F(WatchedPassTest, APlanThatCannotBeSwitchedIsReportedAndThePassGoesOn) {
    const struct {
        const char* what;
        std::string failure;
        PowerReading power;
        const char* reason;
    } cases[] = {
        {"no rights", "Access is denied.", {false, kBalancedPlan, "Balanced"}, "Access is denied."},
        {"no plan known", "", {false, "", ""}, "Windows did not tell the active plan"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        events.clear();
        watch.setFailure = c.failure;
        watch.power = c.power;
        options.highPerformancePlan = true;
        game.planned = {0};
        RunPass({"seconds = 80.0 fps"});
        const std::string line = kRed + "The High performance power plan could not be used (" + c.reason +
                                 "); the pass ran on the active plan.</FONT><br>";
        const std::vector<std::string> onDisk = LinesOnDisk(ReportPath());
        EXPECT_EQ(MachineTail(onDisk), std::vector<std::string>{line});
        EXPECT_EQ(Has(onDisk, ScoreLine("80.0")), true);
        EXPECT_EQ(settings.values.count("PowerPlanBefore") ? settings.values["PowerPlanBefore"] : "", "");
        EXPECT_NE(Json().find("\"planNotSwitched\""), std::string::npos);
    }
}

TEST_F(WatchedPassTest, AnActiveHighPerformancePlanIsLeftAsItIs) {
    watch.power = {false, kHighPerformancePlan, "High performance"};
    options.highPerformancePlan = true;
    game.planned = {0};
    RunPass({"seconds = 80.0 fps"});
    EXPECT_FALSE(std::any_of(events.begin(), events.end(), [](const std::string& e) { return e.rfind("plan ", 0) == 0; }));
    EXPECT_EQ(settings.values.count("PowerPlanBefore"), 0u);
}

// A switch that fails and then cannot clear the plan it kept: the switch's reason is what the
// pass reports, the second failure goes to the log, and nothing escapes.
TEST(PowerPlanSwitch, AKeptPlanThatCannotBeClearedAfterAFailedSwitchIsLogged) {
    struct ClearFails : FakeSettingsStore {
        void Write(const std::string& name, const std::string& value) override {
            if (value.empty()) throw std::runtime_error("Failed to set data for '" + name + "'");
            FakeSettingsStore::Write(name, value);
        }
    };
    EventList events;
    FakeMachineWatch watch{events};
    ClearFails settings;
    DebugLog log;
    watch.setFailure = "Access is denied.";
    std::string failure;
    EXPECT_NO_THROW(failure = SwitchToHighPerformance(watch, settings, log));
    EXPECT_EQ(failure, "Access is denied.");
    EXPECT_TRUE(Contains(log.Lines(), "The kept power plan could not be cleared: Failed to set data for 'PowerPlanBefore'"));
    EXPECT_EQ(settings.values["PowerPlanBefore"], kBalancedPlan) << "the active plan: putting it back changes nothing";
}

TEST(PowerPlanRecovery, APlanKeptByAProgramThatDiedIsPutBackAtTheNextStart) {
    EventList events;
    FakeMachineWatch watch{events};
    FakeSettingsStore settings;
    DebugLog log;
    watch.power = {false, kHighPerformancePlan, "High performance"};
    PutBackPowerPlan(watch, settings, log);
    EXPECT_TRUE(events.empty()) << "nothing kept, nothing switched";

    settings.values["PowerPlanBefore"] = kSaverPlan;
    watch.setFailure = "Access is denied.";
    PutBackPowerPlan(watch, settings, log);
    EXPECT_EQ(settings.values["PowerPlanBefore"], kSaverPlan) << "kept for the next try";
    EXPECT_TRUE(Contains(log.Lines(), "The power plan could not be put back: Access is denied."));

    watch.setFailure.clear();
    PutBackPowerPlan(watch, settings, log);
    EXPECT_EQ(watch.power.planGuid, kSaverPlan);
    EXPECT_EQ(settings.values["PowerPlanBefore"], "");
}

}  // namespace
