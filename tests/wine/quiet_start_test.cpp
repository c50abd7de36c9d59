// What a job can trust under /BATCH /QUIET: a switch line the program would read otherwise
// than meant, or a results folder that is gone, is refused before any game starts, naming what
// is at fault; without /QUIET such a line runs as it always has. The standard output reaches
// a pipe as UTF-8, accented folder names and all.
#include <gtest/gtest.h>

#include <set>

#include "platform/cp1252_utf8.h"
#include "platform/scoped_win.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/process_list.h"
#include "support/unattended_run.h"
#include "support/user_bench.h"
#include "support/wine_test_support.h"

namespace {

constexpr unsigned long kPassBoundMs = 90000;
const char* const kDiagnosticsFixture = "win7_sp1_spanish_intel_hd3000_idt_cp1252.txt";
const char* const kNotStarted = " The benchmark was not started (/QUIET).\r\n";

std::string FirstReport(const std::string& folder) {
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((folder + "result_*.htm").c_str(), &data));
    return find.Valid() ? folder + data.cFileName : "";
}

TEST(QuietStart, RefusesAMisreadLineOrAGoneResultsFolderBeforeAnyGame) {
    const std::string gone = "Q:\\nowhere\\";
    const struct {
        const char* name;
        const char* switches;
        bool goneResults;
        std::string err;
    } cases[] = {
        {"unknown switch", "/BATCH /QUIET /640 /DEMO1 /SHIGHT", false,
         std::string("Lurkmark does not know the switch \"/SHIGHT\".") + kNotStarted},
        {"no demo", "/BATCH /QUIET /640 /SHIGH", false,
         std::string("Please, choose the demo with /DEMO1 or /DEMO2.") + kNotStarted},
        {"two resolutions", "/BATCH /QUIET /640 /1024 /DEMO1", false,
         std::string("The switches /640 and /1024 choose the same setting; give one.") + kNotStarted},
        {"results folder gone", "/BATCH /QUIET /640 /DEMO1", true,
         "The results folder " + gone + " does not exist or cannot be reached." + kNotStarted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        wt::UserBench bench("quiet_start", "Prey Game");
        if (c.goneResults) {
            bench.CreateSettings({{"ResultPath", gone}});
        } else {
            bench.CreateSettings({});
        }
        const std::string stored = wt::ReadSettingsValue("ResultPath");
        const std::set<DWORD> games = wt::ProcessesNamed("prey.exe");
        const wt::UnattendedRun run = wt::RunUnattended(bench.Command(c.switches), bench.paths.BenchDir, kPassBoundMs);
        ASSERT_TRUE(run.ended) << "nothing may wait for a person";
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_FALSE(run.windowShown);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(bench.DebugLog().find(c.err), std::string::npos) << bench.DebugLog();
        EXPECT_TRUE(wt::NewProcesses(games, wt::ProcessesNamed("prey.exe")).empty()) << "no game started";
        EXPECT_EQ(wt::ReadSettingsValue("ResultPath"), stored) << "the stored folder stays as the user set it";
        bench.ExpectUserFilesBack();
    }
}

// Without /QUIET the line runs as before: the unknown switch is ignored and the pass scores.
TEST(QuietStart, WithoutQuietAnUnknownSwitchIsIgnoredAsBefore) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    wt::UserBench bench("quiet_start_loud", "Prey Game");
    bench.CreateSettings({});
    const wt::UnattendedRun run =
        wt::RunUnattended(bench.Command("/BATCH /640 /DEMO1 /SHIGH /FOO"), bench.paths.BenchDir, kPassBoundMs);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_NE(FirstReport(bench.paths.ResultPath), "");
    bench.ExpectUserFilesBack();
}

// A results folder with accented letters, its lines read back through a pipe: UTF-8, and the
// resolution spelled in ASCII as a script would type it.
TEST(QuietStart, LinesReachAPipeAsUtf8) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    wt::UserBench bench("quiet_start_utf8", "Prey Game", "R\xE9sultats J\xFCrgen");
    bench.CreateSettings({});
    const wt::UnattendedRun run = wt::RunUnattended(bench.Command("/BATCH /QUIET /640 /DEMO1 /SHIGH"),
                                                    bench.paths.BenchDir, kPassBoundMs, wt::Redirection::Pipes);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    const std::string report = FirstReport(bench.paths.ResultPath);
    ASSERT_NE(report, "") << "no report";
    const std::string json = report.substr(0, report.size() - 4) + ".json";
    const std::string score = wt::StandInScore(wt::kDemo1Speed, 640, 480, {2});
    EXPECT_EQ(run.out, "640x480: " + score + " FPS\r\nReport: " + Cp1252ToUtf8(report) + "\r\nData: " +
                           Cp1252ToUtf8(json) + "\r\n");
    EXPECT_NE(run.out.find("R\xC3\xA9sultats J\xC3\xBCrgen"), std::string::npos) << "the accents as UTF-8";
    bench.ExpectUserFilesBack();
}

}  // namespace
