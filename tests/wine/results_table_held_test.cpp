// The results table held open by a spreadsheet program during a batch pass: the report and
// the JSON file are still written, the table is left exactly as it was, and the failure is
// told once, after the user's game configuration is back, before the program ends.
#include <gtest/gtest.h>

#include "platform/scoped_win.h"
#include "support/held_file.h"
#include "support/pass_bench.h"
#include "support/pass_environment.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

const char* const kUserAutoexec = "bind F5 \"screenshot\"\r\n";

int CountFiles(const std::string& pattern) {
    int count = 0;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA(pattern.c_str(), &data));
    if (!find.Valid()) return 0;
    do {
        ++count;
    } while (FindNextFileA(find.Get(), &data));
    return count;
}

TEST(ResultsTable, HeldOpenBySpreadsheetIsToldOnceAfterTheRestoreAndLeftWhole) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench bench("table_held", "Prey Game", "My Results", {kUserAutoexec, "seta ui_name \"P\"\r\n"});
    bench.CreateSettings({});
    const std::string table = bench.paths.ResultPath + "Lurkmark results.csv";
    const std::string earlier =
        "\xEF\xBB\xBFstarted,note,machine,resolution,run,score,frames,seconds,flags\r\n"
        "2026-12-09T10:00:00+00:00,,,640\xC3\x97" "480,1,178.1,2412,13.5,\r\n";
    wt::WriteFileBytes(table, earlier);
    // A spreadsheet program lets others read the table, not write or replace it.
    const wt::HeldFile held(table, "read");
    ASSERT_TRUE(held.Held());

    wt::RunningProgram program(bench.Command("/BATCH /640 /DEMO1 /SHIGH"), bench.paths.BenchDir);
    HWND main = wt::WaitForWindow(program.ProcessId(), "TForm1");
    ASSERT_NE(main, nullptr);
    HWND box = nullptr;
    std::string text;
    EXPECT_TRUE(wt::WaitUntil(
        [&] {
            box = wt::WaitForDialogOwnedBy(main, 0);
            text = box ? wt::TextOf(GetDlgItem(box, 0xFFFF)) : "";
            return !text.empty();
        },
        60000));
    ASSERT_NE(box, nullptr) << "no message";
    const std::string named = "The results data could not be saved. Cannot replace file " + table + ". ";
    EXPECT_EQ(text.rfind(named, 0), 0u) << text;
    EXPECT_GT(text.size(), named.size()) << "the system's reason follows";
    EXPECT_EQ(text.find("The report"), std::string::npos) << "the report itself was written";
    // Told once the user's files are back and the pass mark is cleared.
    EXPECT_EQ(bench.game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(15000)) << "the batch program ends after the one message";

    EXPECT_EQ(CountFiles(bench.paths.ResultPath + "result_*.htm"), 1);
    EXPECT_EQ(CountFiles(bench.paths.ResultPath + "result_*.json"), 1);
    EXPECT_EQ(CountFiles(bench.paths.ResultPath + "*.tmp"), 0) << "no temporary file is left behind";
    EXPECT_EQ(wt::ReadFileBytes(table), earlier);
}

}  // namespace
