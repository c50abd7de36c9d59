// The Results page and the /COMPARE switch of the real program, over a folder of result data
// files (tests/fixtures/history), driven from outside.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "support/keyboard.h"
#include "support/list_view.h"
#include "support/pass_bench.h"
#include "support/pass_environment.h"
#include "support/screen_pixels.h"
#include "support/started_program.h"
#include "support/unattended_run.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

using wt::CellText;
using wt::ClickColumn;
using wt::ColumnTexts;
using wt::ItemCentre;
using wt::ItemCount;
using wt::SelectOnly;
using wt::StartedProgram;

const char* const kHistoryFiles[] = {
    "result_12_1_2026_8_00_00_PM.json", "result_12_5_2026_9_15_00_PM.json", "result_12_8_2026_7_30_00_PM.json",
    "result_12_9_2026_1_00_00_PM.json", "result_12_9_2026_10_00_00_AM.json"};

std::string HistoryFixture(const std::string& name) {
    return wt::ReadFileBytes(wt::Env("LURK_FIXTURES_DIR") + "\\history\\" + name);
}

// The results folder holding the fixture history, and the settings that point to it.
std::string PrepareResults(const wt::TempFolder& bench) {
    const std::string results = bench.Path() + "Results\\";
    wt::MakeFolders(results);
    for (const char* name : kHistoryFiles) wt::WriteFileBytes(results + name, HistoryFixture(name));
    // The reports of the readable passes; the one of 12/1 is missing.
    for (const char* report : {"result_12_5_2026_9_15_00_PM.htm", "result_12_8_2026_7_30_00_PM.htm"}) {
        wt::WriteFileBytes(results + report, "<html></html>\r\n");
    }
    wt::DeleteSettingsKey();
    wt::CreateSettingsKey({{"ResultPath", results}});
    return results;
}

bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

bool HasFocus(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus == window;
}

std::size_t Lines(const std::string& text) {
    std::size_t count = 0;
    for (char c : text) count += c == '\n';
    return count;
}

TEST(ResultsPage, ListsThePassesSortsThemAndComparesTheSelected) {
    wt::TempFolder bench{"rp_list"};
    const std::string results = PrepareResults(bench);
    StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    EXPECT_EQ(wt::TextOf(app.Control(ctl::RzGroup1Items4)), "Results");

    wt::Click(app.Control(ctl::RzGroup1Items4));
    HWND list = app.Control(ctl::ResultsList);
    ASSERT_TRUE(wt::WaitUntil([&] { return ItemCount(list) == 5; })) << ItemCount(list);
    EXPECT_TRUE(wt::IsShown(list));
    EXPECT_FALSE(wt::IsShown(app.Control(ctl::PageBase + 4)));
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 8) << "flag, date, note, demo, shader, runs, 2 resolutions";
    EXPECT_EQ(ColumnTexts(list, 1),
              (std::vector<std::string>{"2026-12-08 19:30:00", "2026-12-05 21:15:00", "2026-12-01 20:00:00",
                                        "result_12_9_2026_10_00_00_AM.json", "result_12_9_2026_1_00_00_PM.json"}));
    EXPECT_EQ(ColumnTexts(list, 0)[0], "!");
    EXPECT_EQ(CellText(list, 1, 2), "\xDC" "bertaktet, caf\xE9 & <new> driver");
    EXPECT_EQ(CellText(list, 2, 6), "178.2");
    EXPECT_EQ(CellText(list, 3, 2), "unknown format version");
    EXPECT_EQ(wt::TextOf(app.Control(ctl::ResultsLabel)), "3 passes in " + results + " (2 files cannot be shown)");

    HWND compare = app.Control(ctl::ResultsCompare);
    EXPECT_FALSE(Enabled(compare)) << "nothing selected";
    SelectOnly(list, {0});
    EXPECT_FALSE(Enabled(compare)) << "one pass";
    SelectOnly(list, {0, 2});
    EXPECT_TRUE(Enabled(compare)) << "two passes";
    // Selected rows while the list has no focus: dark grey under the light text, not the list's
    // own light grey.
    ASSERT_NE(wt::FocusIn(app.main), list);
    EXPECT_TRUE(wt::WaitUntil([&] {
        const wt::Pixels shot = wt::CaptureWindow(list);
        return std::count(shot.colours.begin(), shot.colours.end(), RGB(70, 74, 78)) > 200;
    })) << "no selected row drawn without the focus";
    SelectOnly(list, {0, 2, 3});
    EXPECT_FALSE(Enabled(compare)) << "an unreadable file among them";

    ClickColumn(list, 2);  // the note, A first
    EXPECT_TRUE(wt::WaitUntil([&] { return CellText(list, 0, 2) == "overclocked"; })) << CellText(list, 0, 2);
    EXPECT_EQ(CellText(list, 2, 2).substr(0, 4), "\xDC" "ber");
    EXPECT_EQ(CellText(list, 3, 2), "unknown format version") << "unreadable files stay last";
    EXPECT_FALSE(Enabled(compare)) << "the selection stays with its rows";
    ClickColumn(list, 2);
    EXPECT_TRUE(wt::WaitUntil([&] { return CellText(list, 2, 2) == "overclocked"; }));

    wt::ReportOpenRecorder opened(bench.Path() + "opened.txt");
    SelectOnly(list, {0, 1, 2});
    ASSERT_TRUE(Enabled(compare));
    wt::Click(compare);
    ASSERT_TRUE(wt::WaitUntil([&] { return opened.Recorded().find("compare_") != std::string::npos; }))
        << opened.Recorded();
    const std::string recorded = opened.Recorded();
    const std::string page = recorded.substr(0, recorded.find_first_of("\r\n"));
    EXPECT_EQ(page.rfind(results + "compare_", 0), 0u) << page;
    const std::string html = wt::ReadFileBytes(page);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\r\n", 0), 0u);
    EXPECT_NE(html.find("\xC3\x9c" "bertaktet, caf\xC3\xA9 &amp; &lt;new&gt; driver"), std::string::npos);
    EXPECT_EQ(wt::ReadFileBytes(results + kHistoryFiles[3]), HistoryFixture(kHistoryFiles[3])) << "never changed";

    // Sorted by the note, Z first: 12/5, 12/1 (its report is missing), 12/8. A click on a pass, then Enter, opens
    // its report; so does a double click.
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, ItemCentre(list, 2));
    PostMessageA(list, WM_LBUTTONUP, 0, ItemCentre(list, 2));
    ASSERT_TRUE(wt::WaitUntil([&] { return HasFocus(list); }));
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(wt::WaitUntil([&] { return Lines(opened.Recorded()) == 2; })) << opened.Recorded();
    EXPECT_NE(opened.Recorded().find(results + "result_12_8_2026_7_30_00_PM.htm"), std::string::npos)
        << opened.Recorded();
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, ItemCentre(list, 0));
    PostMessageA(list, WM_LBUTTONUP, 0, ItemCentre(list, 0));
    ASSERT_TRUE(wt::WaitUntil([&] { return Lines(opened.Recorded()) == 3; })) << opened.Recorded();
    EXPECT_NE(opened.Recorded().find(results + "result_12_5_2026_9_15_00_PM.htm"), std::string::npos)
        << opened.Recorded();
    // A pass whose report is gone: a message names it.
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, ItemCentre(list, 1));
    PostMessageA(list, WM_LBUTTONUP, 0, ItemCentre(list, 1));
    HWND box = wt::WaitForDialogOwnedBy(app.main);
    ASSERT_NE(box, nullptr) << wt::DescribeTopLevelWindows();
    EXPECT_EQ(wt::TextOf(GetDlgItem(box, 0xFFFF)),
              "The report " + results + "result_12_1_2026_8_00_00_PM.htm does not exist.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wt::WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(app.Exit());
}

TEST(ResultsPage, IsReadAgainWhenAPassEnds) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench bench("rp_pass_end", "Prey Game", "Results", {"", ""});
    bench.CreateSettings({{"640", "1"}, {"Demo", "1"}, {"Shader", "1"}});
    wt::ReportOpenRecorder opened(bench.paths.BenchDir + "opened.txt");
    const std::string release = bench.paths.BenchDir + "release.txt";
    wt::ScopedEnvironment standIn("PREY_STANDIN", "hold " + release);
    wt::RunningProgram program(bench.Command(), bench.paths.BenchDir);
    HWND main = wt::WaitForWindow(program.ProcessId(), "TForm1");
    ASSERT_NE(main, nullptr);
    wt::Click(wt::FindControl(main, ctl::RzGroup1Items4));
    HWND list = wt::FindControl(main, ctl::ResultsList);
    EXPECT_EQ(ItemCount(list), 0);

    // While the game plays, a data file arrives, as the pass writes its own at the end.
    wt::Click(wt::FindControl(main, ctl::BenchButton));
    ASSERT_TRUE(wt::WaitUntil([&] { return wt::IsShown(wt::FindControl(main, ctl::Panel1)); }));
    wt::WriteFileBytes(JoinPath(bench.paths.ResultPath, kHistoryFiles[0]), HistoryFixture(kHistoryFiles[0]));
    EXPECT_EQ(ItemCount(list), 0) << "the folder is not watched during the pass";
    wt::WriteFileBytes(release, "");
    ASSERT_TRUE(wt::WaitUntil([&] { return !opened.Recorded().empty(); }, 90000)) << "the pass did not finish";
    // The arrived file and the pass's own data file.
    EXPECT_TRUE(wt::WaitUntil([&] { return ItemCount(list) == 2; })) << ItemCount(list);
    std::vector<std::string> notes;
    for (int row = 0; row < ItemCount(list); ++row) notes.push_back(CellText(list, row, 2));
    EXPECT_NE(std::find(notes.begin(), notes.end(), "stock clocks"), notes.end());
    wt::Click(wt::FindControl(main, ctl::Image2));
    EXPECT_TRUE(program.WaitForExit(15000));
}

TEST(CompareSwitch, WritesThePageBesideTheFirstFileWithoutAWindow) {
    wt::TempFolder bench{"rp_switch"};
    const std::string results = PrepareResults(bench);
    const std::string exe = wt::InstallProgram(bench.Path());
    wt::ReportOpenRecorder opened(bench.Path() + "opened.txt");
    const wt::ProcessResult run = wt::RunAndWait("\"" + exe + "\" /COMPARE \"" + results + kHistoryFiles[0] + "\" \"" +
                                                     results + kHistoryFiles[2] + "\"",
                                                 bench.Path(), 30000);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_TRUE(wt::WaitUntil([&] { return opened.Recorded().find("compare_") != std::string::npos; }));
    const std::string recorded = opened.Recorded();
    const std::string page = recorded.substr(0, recorded.find_first_of("\r\n"));
    EXPECT_EQ(page.rfind(results + "compare_", 0), 0u) << page;
    EXPECT_NE(wt::ReadFileBytes(page).find("stock clocks"), std::string::npos);
}

TEST(CompareSwitch, NamesAMissingOrBadFile) {
    wt::TempFolder bench{"rp_switch_bad"};
    const std::string results = PrepareResults(bench);
    const std::string exe = wt::InstallProgram(bench.Path());
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {results + "gone.json", "The result file " + results + "gone.json cannot be read."},
        {results + kHistoryFiles[4], "The result file " + results + kHistoryFiles[4] +
                                         " cannot be compared: unknown format version."},
    };
    for (const auto& c : cases) {
        wt::RunningProgram program("\"" + exe + "\" /COMPARE \"" + results + kHistoryFiles[0] + "\" \"" + c.file + "\"",
                                   bench.Path());
        HWND box = wt::WaitForWindow(program.ProcessId(), "#32770");
        ASSERT_NE(box, nullptr) << wt::DescribeTopLevelWindows();
        EXPECT_EQ(wt::TextOf(GetDlgItem(box, 0xFFFF)), c.message);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(program.WaitForExit(20000));
        EXPECT_EQ(program.ExitCode(), 1u);
    }
}

// Frame times come from the captures beside each data file, not beside the first; a capture
// that is gone is named in the legend and the page is still written.
TEST(CompareSwitch, DrawsEachPassFrameTimesFromItsOwnFolder) {
    wt::TempFolder bench{"rp_switch_frames"};
    const std::string results = PrepareResults(bench);
    const std::string exe = wt::InstallProgram(bench.Path());
    const std::string other = bench.Path() + "Other\\";
    wt::MakeFolders(other);
    const std::string stamp = "result_12_6_2026_9_00_00_PM";
    for (const std::string& name : {stamp + ".json", stamp + "_frames_640_run1.csv", stamp + "_frames_640_run2.csv"}) {
        wt::WriteFileBytes(other + name, wt::ReadFileBytes(wt::Env("LURK_FIXTURES_DIR") + "\\frames\\" + name));
    }
    const struct {
        const char* name;
        bool removeRun2;
        const char* legend;
    } cases[] = {
        {"both captures", false, "frames recorded</li>"},
        {"run 2's capture gone", true, "run 2: result_12_6_2026_9_00_00_PM_frames_640_run2.csv cannot be read"},
    };
    for (const auto& c : cases) {
        if (c.removeRun2) ASSERT_TRUE(DeleteFileA((other + stamp + "_frames_640_run2.csv").c_str()));
        const wt::UnattendedRun run = wt::RunUnattended("\"" + exe + "\" /QUIET /COMPARE \"" + results + kHistoryFiles[0] +
                                                            "\" \"" + other + stamp + ".json\"",
                                                        bench.Path(), 30000);
        ASSERT_TRUE(run.ended) << c.name;
        ASSERT_EQ(run.exitCode, 0u) << c.name << ": " << run.err;
        ASSERT_EQ(run.out.rfind(results + "compare_", 0), 0u) << run.out;
        const std::string page = wt::ReadFileBytes(run.out.substr(0, run.out.size() - 2));
        std::size_t lines = 0;
        for (std::size_t at = page.find("<polyline class=\"pass1\""); at != std::string::npos;
             at = page.find("<polyline class=\"pass1\"", at + 1)) {
            ++lines;
        }
        EXPECT_EQ(lines, 2u) << c.name << ": one line in each chart";
        EXPECT_EQ(page.find("<polyline class=\"pass0\""), std::string::npos) << c.name;
        EXPECT_NE(page.find("stock clocks <span class=\"muted\">\xE2\x80\x94 no frame times recorded</span>"),
                  std::string::npos)
            << c.name;
        EXPECT_NE(page.find(c.legend), std::string::npos) << c.name;
        EXPECT_NE(page.find("1 % low 25.0"), std::string::npos) << c.name;
    }
}

// A job's comparison: no window and no browser; the page's path on standard output, a file at
// fault on standard error, each with its status.
TEST(CompareSwitch, UnderQuietPrintsThePathOrTheErrorAndOpensNothing) {
    wt::TempFolder bench{"rp_switch_quiet"};
    const std::string results = PrepareResults(bench);
    const std::string exe = wt::InstallProgram(bench.Path());
    wt::ReportOpenRecorder opened(bench.Path() + "opened.txt");
    const std::string first = "\"" + results + kHistoryFiles[0] + "\" ";
    const wt::UnattendedRun bad =
        wt::RunUnattended("\"" + exe + "\" /COMPARE " + first + "\"" + results + "gone.json\" /QUIET", bench.Path(), 30000);
    ASSERT_TRUE(bad.ended);
    EXPECT_EQ(bad.exitCode, 1u);
    EXPECT_FALSE(bad.windowShown);
    EXPECT_EQ(bad.err, "The result file " + results + "gone.json cannot be read.\r\n");
    EXPECT_EQ(bad.out, "");

    const wt::UnattendedRun good = wt::RunUnattended(
        "\"" + exe + "\" /QUIET /COMPARE " + first + "\"" + results + kHistoryFiles[2] + "\"", bench.Path(), 30000);
    ASSERT_TRUE(good.ended);
    EXPECT_EQ(good.exitCode, 0u) << good.err;
    EXPECT_FALSE(good.windowShown);
    EXPECT_EQ(good.err, "");
    ASSERT_EQ(good.out.rfind(results + "compare_", 0), 0u) << good.out;
    ASSERT_EQ(good.out.substr(good.out.size() - 6), ".htm\r\n");
    const std::string page = good.out.substr(0, good.out.size() - 2);
    EXPECT_NE(wt::ReadFileBytes(page).find("stock clocks"), std::string::npos);

    // The same comparison without /QUIET, its page in another folder, opens the browser: once
    // that is recorded, the quiet one would have been recorded before it.
    const std::string other = bench.Path() + "Other\\";
    wt::MakeFolders(other);
    wt::WriteFileBytes(other + kHistoryFiles[0], HistoryFixture(kHistoryFiles[0]));
    const wt::ProcessResult loud = wt::RunAndWait("\"" + exe + "\" /COMPARE \"" + other + kHistoryFiles[0] + "\" \"" +
                                                      results + kHistoryFiles[2] + "\"",
                                                  bench.Path(), 30000);
    ASSERT_TRUE(loud.ended);
    ASSERT_TRUE(wt::WaitUntil([&] { return opened.Recorded().find("compare_") != std::string::npos; }));
    const std::string recorded = opened.Recorded();
    EXPECT_EQ(recorded.rfind(other + "compare_", 0), 0u) << recorded;
    EXPECT_EQ(recorded.find(results), std::string::npos) << "the quiet page was opened: " << recorded;
}

}  // namespace
