// The results window of the real program over a folder of passes from several PCs, driven
// from outside: it opens from the Results page, sizes and filters, compares passes of two PCs
// and opens with the size and column widths it had.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "support/eventually.h"
#include "support/list_view.h"
#include "support/pass_bench.h"
#include "support/pass_environment.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

std::string HistoryFixture(const std::string& name) {
    return wt::ReadFileBytes(wt::Env("LURK_FIXTURES_DIR") + "\\history\\" + name);
}

// The fixture file as a PC that names itself writes it.
std::string NamedBy(const std::string& name, const std::string& computer) {
    std::string text = HistoryFixture(name);
    const std::string after = "\"formatVersion\": 1,";
    return text.insert(text.find(after) + after.size(), " \"computer\": \"" + computer + "\",");
}

std::string PrepareLab(const wt::TempFolder& bench) {
    const std::string results = bench.Path() + "Results\\";
    wt::MakeFolders(results);
    const struct {
        const char* file;
        const char* computer;  // none: a file of another format version
    } files[] = {{"result_12_1_2026_8_00_00_PM.json", "LAB-PC-01"},
                 {"result_12_5_2026_9_15_00_PM.json", "LAB-PC-02"},
                 {"result_12_8_2026_7_30_00_PM.json", "LAB-PC-01"},
                 {"result_12_9_2026_10_00_00_AM.json", nullptr}};
    for (const auto& f : files) {
        wt::WriteFileBytes(results + f.file, f.computer ? NamedBy(f.file, f.computer) : HistoryFixture(f.file));
    }
    for (const char* report : {"result_12_5_2026_9_15_00_PM.htm", "result_12_8_2026_7_30_00_PM.htm"}) {
        wt::WriteFileBytes(results + report, "<html></html>\r\n");
    }
    wt::DeleteSettingsKey();
    wt::CreateSettingsKey({{"ResultPath", results}});
    return results;
}

HWND OpenResultsWindow(const wt::StartedProgram& app) {
    wt::Click(app.Control(ctl::RzGroup1Items4));
    wt::Click(app.Control(ctl::ResultsWindowOpen));
    return wt::WaitForWindow(app.program.ProcessId(), "TResultsForm");
}

int ClientWidth(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r.right;
}

bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

TEST(ResultsWindow, HoldsTheLabAndFiltersItAsTheUserTypes) {
    wt::TempFolder bench{"rw_lab"};
    const std::string results = PrepareLab(bench);
    wt::StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    HWND window = OpenResultsWindow(app);
    ASSERT_NE(window, nullptr) << wt::DescribeTopLevelWindows();
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME) << "the user sizes it";
    EXPECT_TRUE(style & WS_MAXIMIZEBOX) << "and maximises it";
    HWND list = wt::FindControl(window, ctl::ResultsWindowList);
    HWND filter = wt::FindControl(window, ctl::ResultsFilter);
    HWND label = wt::FindControl(window, ctl::ResultsWindowLabel);
    ASSERT_TRUE(wt::WaitUntil([&] { return wt::ItemCount(list) == 4; })) << wt::ItemCount(list);
    EXPECT_EQ(wt::ColumnTitles(list),
              (std::vector<std::string>{"!", "Date and time", "Computer", "Note", "Demo", "Shader detail", "Runs",
                                        "640\xD7" "480", "1024\xD7" "768"}));
    EXPECT_EQ(wt::ColumnTexts(list, 2), (std::vector<std::string>{"LAB-PC-01", "LAB-PC-02", "LAB-PC-01", ""}));
    EXPECT_EQ(wt::TextOf(label), "3 passes in " + results + " (1 file cannot be shown)");
    // Columns as wide as their contents, and every score in view without scrolling.
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_GT(wt::ColumnWidth(list, 5), 76) << "\"Shader detail\" whole";

    // At its least size the count is still whole ("3 passes", not "3 passe").
    SetWindowPos(window, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(wt::WaitUntil([&] {
        RECT r{};
        GetWindowRect(label, &r);
        return r.right - r.left >= 120;
    })) << "the count has too little room";

    // Larger: the list takes the room.
    const int before = ClientWidth(list);
    SetWindowPos(window, nullptr, 0, 0, 1100, 720, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(wt::WaitUntil([&] { return ClientWidth(list) > before + 100; })) << ClientWidth(list);

    const struct {
        const char* filter;
        std::vector<std::string> notes;
        const char* label;
    } cases[] = {
        {"lab-pc-01", {"overclocked", "stock clocks"}, "2 shown of 3 passes in "},
        {"PC-01 stock", {"stock clocks"}, "1 shown of 3 passes in "},
        {"\xFC" "bertaktet", {"\xDC" "bertaktet, caf\xE9 & <new> driver"}, "1 shown of 3 passes in "},
        {"nobody", {}, "0 shown of 3 passes in "},
        {"", {"overclocked", "\xDC" "bertaktet, caf\xE9 & <new> driver", "stock clocks", "unknown format version"},
         "3 passes in "},
    };
    for (const auto& c : cases) {
        wt::SetText(filter, c.filter);
        EXPECT_TRUE(wt::WaitUntil([&] { return wt::ColumnTexts(list, 3) == c.notes; }))
            << c.filter << ": " << wt::ItemCount(list) << " rows";
        EXPECT_EQ(wt::TextOf(label).rfind(c.label + results, 0), 0u) << c.filter << ": " << wt::TextOf(label);
    }

    // Open report and Compare, as on the page; passes of two PCs are named on the page.
    HWND openReport = wt::FindControl(window, ctl::ResultsWindowOpenReport);
    HWND compare = wt::FindControl(window, ctl::ResultsWindowCompare);
    wt::ReportOpenRecorder opened(bench.Path() + "opened.txt");
    wt::SelectOnly(list, {1});
    ASSERT_TRUE(wt::WaitUntil([&] { return Enabled(openReport); }));
    EXPECT_FALSE(Enabled(compare));
    wt::Click(openReport);
    ASSERT_TRUE(wt::WaitUntil([&] { return !opened.Recorded().empty(); }));
    EXPECT_EQ(opened.Recorded().rfind(results + "result_12_5_2026_9_15_00_PM.htm", 0), 0u) << opened.Recorded();
    wt::SelectOnly(list, {0, 1});
    ASSERT_TRUE(wt::WaitUntil([&] { return Enabled(compare); }));
    EXPECT_FALSE(Enabled(openReport));
    wt::Click(compare);
    ASSERT_TRUE(wt::WaitUntil([&] { return opened.Recorded().find("compare_") != std::string::npos; }))
        << opened.Recorded();
    const std::string recorded = opened.Recorded();
    const std::size_t at = recorded.find(results + "compare_");
    const std::string page = wt::ReadFileBytes(recorded.substr(at, recorded.find_first_of("\r\n", at) - at));
    EXPECT_NE(page.find("<td>LAB-PC-01</td><td>LAB-PC-02</td>"), std::string::npos);
    EXPECT_NE(page.find(">LAB-PC-02 \xC2\xB7 2026-12-05 21:15:00"), std::string::npos);
    EXPECT_TRUE(app.Exit());
}

TEST(ResultsWindow, OpensWithTheSizeAndColumnWidthsItHad) {
    wt::TempFolder bench{"rw_layout"};
    PrepareLab(bench);
    wt::StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    HWND window = OpenResultsWindow(app);
    ASSERT_NE(window, nullptr) << wt::DescribeTopLevelWindows();
    HWND list = wt::FindControl(window, ctl::ResultsWindowList);
    ASSERT_TRUE(wt::WaitUntil([&] { return wt::ItemCount(list) == 4; }));
    SetWindowPos(window, nullptr, 40, 30, 1000, 640, SWP_NOZORDER);
    const int noteWidth = wt::ColumnWidth(list, 3);
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 2, 150);  // the computer
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 7, 90);   // 640×480
    std::vector<int> widths;  // what the list shows as the window closes
    for (int column = 0; column < 9; ++column) widths.push_back(wt::ColumnWidth(list, column));
    RECT placed{};
    GetWindowRect(window, &placed);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(wt::WaitUntil([&] { return !IsWindow(window); }));
    EXPECT_TRUE(wt::SettingsValueBecomes("ResultsWindow", "40,30,1000,640,0"));
    auto width = [&widths](int column) { return std::to_string(widths[static_cast<std::size_t>(column)]); };
    EXPECT_TRUE(wt::SettingsValueBecomes("ResultsColumns", "computer=150;date=" + width(1) + ";demo=" + width(4) +
                                                               ";flag=" + width(0) + ";note=" + width(3) + ";runs=" +
                                                               width(6) + ";score:1024=" + width(8) +
                                                               ";score:640=90;shader=" + width(5)));

    window = OpenResultsWindow(app);
    ASSERT_NE(window, nullptr);
    list = wt::FindControl(window, ctl::ResultsWindowList);
    ASSERT_TRUE(wt::WaitUntil([&] { return wt::ItemCount(list) == 4; }));
    RECT reopened{};
    GetWindowRect(window, &reopened);
    EXPECT_EQ(reopened.left, placed.left);
    EXPECT_EQ(reopened.top, placed.top);
    EXPECT_EQ(reopened.right, placed.right);
    EXPECT_EQ(reopened.bottom, placed.bottom);
    EXPECT_EQ(wt::ColumnWidth(list, 2), 150);
    EXPECT_EQ(wt::ColumnWidth(list, 7), 90);
    EXPECT_EQ(wt::ColumnWidth(list, 3), noteWidth) << "a column the user left has its first width";

    // Maximised, it is kept so at once, with the size it comes back to.
    ShowWindow(window, SW_MAXIMIZE);
    EXPECT_TRUE(wt::SettingsValueBecomes("ResultsWindow", "40,30,1000,640,1"));
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(wt::WaitUntil([&] { return !IsWindow(window); }));
    window = OpenResultsWindow(app);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(wt::WaitUntil([&] { return IsZoomed(window) != FALSE; }));
    EXPECT_TRUE(app.Exit());
}

TEST(ResultsWindow, OpensWhereTheScreenIsWhateverTheKeyHolds) {
    wt::TempFolder bench{"rw_bad_layout"};
    const std::string results = PrepareLab(bench);
    for (const char* stored : {"x", "40,30,20,20,0", "-90000,-90000,1000,640,0"}) {
        wt::CreateSettingsKey(
            {{"ResultPath", results}, {"ResultsWindow", stored}, {"ResultsColumns", "computer=99999;note=abc"}});
        wt::StartedProgram app(bench.Path());
        ASSERT_NE(app.main, nullptr);
        HWND window = OpenResultsWindow(app);
        ASSERT_NE(window, nullptr) << stored;
        HWND list = wt::FindControl(window, ctl::ResultsWindowList);
        ASSERT_TRUE(wt::WaitUntil([&] { return wt::ItemCount(list) == 4; })) << stored;
        RECT r{};
        GetWindowRect(window, &r);
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        RECT seen{};
        EXPECT_TRUE(IntersectRect(&seen, &r, &screen)) << stored << ": off the screen";
        EXPECT_GE(r.right - r.left, 360) << stored;
        EXPECT_GT(wt::ColumnWidth(list, 2), 0) << stored << ": a width of its own";
        EXPECT_LT(wt::ColumnWidth(list, 2), 400) << stored << ": a width of its own";
        EXPECT_TRUE(app.Exit()) << stored;
    }
}

// A pass that recorded frame times beside one that did not: the 1 % low column follows the
// score, with the figure and an empty cell, and comes back the same through the folder's index.
TEST(ResultsWindow, ShowsTheOnePercentLowOfPassesThatRecordedFrameTimes) {
    wt::TempFolder bench{"rw_low1"};
    const std::string results = bench.Path() + "Results\\";
    wt::MakeFolders(results);
    std::string recorded = HistoryFixture("result_12_5_2026_9_15_00_PM.json");
    const std::string mean = "\"mean\": 190.6,";
    ASSERT_NE(recorded.find(mean), std::string::npos);
    recorded.insert(recorded.find(mean),
                    "\"frameTimes\": {\"frames\": 2000, \"averageFps\": 190.6, \"low1Fps\": 121.34, \"low01Fps\": 80.2, "
                    "\"p99Ms\": 8.241, \"p999Ms\": 12.469, \"worstMs\": 14.0, \"stutters\": 3, \"stddevMs\": 0.9}, ");
    wt::WriteFileBytes(results + "result_12_5_2026_9_15_00_PM.json", recorded);
    wt::WriteFileBytes(results + "result_12_1_2026_8_00_00_PM.json", HistoryFixture("result_12_1_2026_8_00_00_PM.json"));
    wt::DeleteSettingsKey();
    wt::CreateSettingsKey({{"ResultPath", results}});
    wt::StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    for (const char* fill : {"first opening", "opened again"}) {
        HWND window = OpenResultsWindow(app);
        ASSERT_NE(window, nullptr) << fill << wt::DescribeTopLevelWindows();
        HWND list = wt::FindControl(window, ctl::ResultsWindowList);
        ASSERT_TRUE(wt::WaitUntil([&] { return wt::ItemCount(list) == 2; })) << fill;
        EXPECT_EQ(wt::ColumnTitles(list),
                  (std::vector<std::string>{"!", "Date and time", "Computer", "Note", "Demo", "Shader detail", "Runs",
                                            "640\xD7" "480", "640\xD7" "480 1 % low", "1024\xD7" "768"}))
            << fill;
        EXPECT_EQ(wt::ColumnTexts(list, 7), (std::vector<std::string>{"190.6", "178.2"})) << fill;
        EXPECT_EQ(wt::ColumnTexts(list, 8), (std::vector<std::string>{"121.3", ""})) << fill;
        EXPECT_GT(wt::ColumnWidth(list, 8), wt::ColumnWidth(list, 7)) << fill << ": as wide as its longer title";
        // The second time the list comes from the index that the first fill wrote.
        ASSERT_NE(GetFileAttributesA((results + "Lurkmark results.index").c_str()), INVALID_FILE_ATTRIBUTES) << fill;
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(wt::WaitUntil([&] { return !IsWindow(window); })) << fill;
    }
    EXPECT_TRUE(app.Exit());
}

// Many PCs end their batch passes into one folder at once: none of them reads the folder or
// writes its index for a list nobody sees.
TEST(ResultsWindow, ABatchPassLeavesTheFolderIndexAlone) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench bench("rw_batch", "Prey Game", "Results", {"", ""});
    bench.CreateSettings({});
    const std::string index = bench.paths.ResultPath + "Lurkmark results.index";
    wt::RunningProgram program(bench.Command("/BATCH /640 /DEMO1 /SHIGH"), bench.paths.BenchDir);
    ASSERT_TRUE(program.WaitForExit(90000)) << wt::DescribeTopLevelWindows();
    WIN32_FIND_DATAA data;
    const HANDLE found = FindFirstFileA((bench.paths.ResultPath + "result_*.json").c_str(), &data);
    ASSERT_NE(found, INVALID_HANDLE_VALUE) << "the pass wrote its data file";
    FindClose(found);
    EXPECT_EQ(GetFileAttributesA(index.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
