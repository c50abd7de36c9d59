// The results table held open by a spreadsheet program during a batch pass: the report and
// the JSON file are still written, the table is left exactly as it was, the rows go to this
// PC's side file after the bounded wait, during which the window answers, and that is told
// once, after the user's game configuration is back, before the program ends.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/scoped_win.h"
#include "support/held_file.h"
#include "support/pass_bench.h"
#include "support/pass_environment.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

const char* const kUserAutoexec = "bind F5 \"screenshot\"\r\n";

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
    // The data file is written just before the table's wait begins: from then on, for about
    // 30 s, the window keeps answering.
    ASSERT_TRUE(wt::WaitUntil([&] { return wt::CountFiles(bench.paths.ResultPath + "result_*.json") == 1; }, 120000));
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR answer = 0;
        const DWORD before = GetTickCount();
        EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer), 0) << "the window hangs";
        EXPECT_LT(GetTickCount() - before, 5000u) << "answered only after a wait";
        Sleep(1000);  // spaces the probes over the wait; proves nothing by itself
    }
    EXPECT_EQ(wt::WaitForDialogOwnedBy(main, 0), nullptr) << "the probes fell within the wait";
    HWND box = nullptr;
    std::string text;
    EXPECT_TRUE(wt::WaitUntil(
        [&] {
            box = wt::WaitForDialogOwnedBy(main, 0);
            text = box ? wt::TextOf(GetDlgItem(box, 0xFFFF)) : "";
            return !text.empty();
        },
        120000));  // the pass, then the wait of about 30 s for the table
    ASSERT_NE(box, nullptr) << "no message";
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    ASSERT_TRUE(GetComputerNameA(computer, &size));
    const std::string side = bench.paths.ResultPath + "Lurkmark results " + computer + ".csv";
    EXPECT_EQ(text, "The results table " + table + " stayed locked by another program for 30 seconds; the rows of "
                    "this pass were written to " + side + " instead.");
    // Told once the user's files are back and the pass mark is cleared.
    EXPECT_EQ(bench.game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(15000)) << "the batch program ends after the one message";

    EXPECT_EQ(wt::CountFiles(bench.paths.ResultPath + "result_*.htm"), 1);
    EXPECT_EQ(wt::CountFiles(bench.paths.ResultPath + "result_*.json"), 1);
    EXPECT_EQ(wt::CountFiles(bench.paths.ResultPath + "*.tmp"), 0) << "no temporary file is left behind";
    EXPECT_EQ(wt::ReadFileBytes(table), earlier);
    const std::string rows = wt::ReadFileBytes(side);
    EXPECT_EQ(rows.rfind("\xEF\xBB\xBFstarted,note,machine,resolution,run,score,frames,seconds,flags,computer\r\n", 0), 0u)
        << rows;
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 2) << "the header and the one run";
    EXPECT_NE(rows.find("," + std::string(computer) + "\r\n"), std::string::npos) << rows;
}

}  // namespace
