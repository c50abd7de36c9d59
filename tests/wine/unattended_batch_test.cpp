// /BATCH /QUIET as automation starts it (Task Scheduler, a CI runner): standard output and
// error redirected, nobody at the screen. Each refusal and a pending recovery end the program
// by itself with its exit status, the message in the debug log and on standard error, and no
// window ever shown; a pass prints its score and its files' paths.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>

#include "gameconfig/game_config.h"
#include "platform/scoped_win.h"
#include "support/held_file.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/process_list.h"
#include "support/unattended_run.h"
#include "support/user_bench.h"
#include "support/wine_test_support.h"

namespace {

using wt::kUserAutoexec;
using wt::kUserPreyconfig;

constexpr unsigned long kPassBoundMs = 90000;
const char* const kDiagnosticsFixture = "win7_sp1_spanish_intel_hd3000_idt_cp1252.txt";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The unattended program ended by itself with `status`, showed no window, and told what
// begins with `told` on its standard error and in its debug log.
void ExpectEndedAndTold(const wt::UnattendedRun& run, unsigned long status, const std::string& told,
                        const wt::UserBench& bench) {
    ASSERT_TRUE(run.ended) << "nothing may wait for a person";
    EXPECT_EQ(run.exitCode, status) << run.err;
    EXPECT_FALSE(run.windowShown);
    EXPECT_EQ(run.err.rfind(told, 0), 0u) << run.err;
    EXPECT_TRUE(Has(bench.DebugLog(), told)) << bench.DebugLog();
}

TEST(QuietBatch, EachRefusalEndsByItselfWithStatusTwoAndNoWindow) {
    const std::string writeProtected = "Z:\\sys\\";  // no one may create a file here under Wine
    struct Case {
        const char* name;
        const char* switches;
        std::function<std::map<std::string, std::string>(const wt::UserBench&)> settings;
        bool holdPreyconfig;
        std::function<std::string(const wt::UserBench&)> message;  // its start
    };
    const Case cases[] = {
        {"missing game", "/BATCH /QUIET /640 /DEMO1",
         [](const wt::UserBench& b) { return std::map<std::string, std::string>{{"Path", b.paths.BenchDir + "No Game"}}; },
         false, [](const wt::UserBench&) { return std::string("Please, install the retail version of Prey."); }},
        {"missing resolution", "/BATCH /QUIET /DEMO1 /SHIGH",
         [](const wt::UserBench&) { return std::map<std::string, std::string>{}; }, false,
         [](const wt::UserBench&) { return std::string("Please, define a resolution of Prey."); }},
        {"immovable settings file", "/BATCH /QUIET /640 /DEMO1",
         [](const wt::UserBench&) { return std::map<std::string, std::string>{}; }, true,
         [](const wt::UserBench& b) { return "Your game settings file " + b.paths.CfgPath + "preyconfig.cfg could not"; }},
        {"unwritable results folder", "/BATCH /QUIET /640 /DEMO1",
         [&](const wt::UserBench&) { return std::map<std::string, std::string>{{"ResultPath", writeProtected}}; }, false,
         [&](const wt::UserBench&) {
             return "Please, choose a results folder that can be written. Cannot create file " + writeProtected;
         }},
    };
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        wt::UserBench bench("quiet_refused", "Prey Game");
        bench.CreateSettings(c.settings(bench));
        wt::WriteFileBytes(bench.paths.BenchDir + "debug.txt", "the last pass\r\n");
        const std::set<DWORD> games = wt::ProcessesNamed("prey.exe");
        std::unique_ptr<wt::HeldFile> held;
        if (c.holdPreyconfig) {
            held = std::make_unique<wt::HeldFile>(bench.paths.CfgPath + "preyconfig.cfg", "none");
            ASSERT_TRUE(held->Held());
        }
        const wt::UnattendedRun run = wt::RunUnattended(bench.Command(c.switches), bench.paths.BenchDir, kPassBoundMs);
        held.reset();
        const std::string message = c.message(bench);
        ExpectEndedAndTold(run, 2, message, bench);
        EXPECT_EQ(run.err.substr(run.err.size() - 2), "\r\n");
        EXPECT_TRUE(Has(bench.DebugLog(), "\r\n" + message)) << "a line of its own";
        EXPECT_EQ(run.out, "") << "no pass, no result";
        EXPECT_TRUE(wt::NewProcesses(games, wt::ProcessesNamed("prey.exe")).empty()) << "no game started";
        bench.ExpectUserFilesBack();
        EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    }
}

// An earlier pass was interrupted: its question is answered Yes, the user's files come back,
// then the pass runs and tells its result on standard output.
TEST(QuietBatch, PendingRecoveryIsAnsweredYesThenThePassRunsAndPrintsItsResult) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    wt::UserBench bench("quiet_recovery", "Prey Game");
    bench.CreateSettings({{"NoErrorWarning", "1"}});
    // As the interrupted pass left them: the user's files set aside, the game's own in place.
    bench.game.WriteCfgFile("autoexec_old.cfg", kUserAutoexec);
    bench.game.WriteCfgFile("preyconfig_old.cfg", kUserPreyconfig);
    wt::WriteFileBytes(bench.paths.CfgPath + "preyconfig.cfg", "seta r_mode \"3\"\r\n");
    DeleteFileA((bench.paths.CfgPath + "autoexec.cfg").c_str());

    const wt::UnattendedRun run =
        wt::RunUnattended(bench.Command("/BATCH /QUIET /640 /DEMO1 /SHIGH"), bench.paths.BenchDir, kPassBoundMs);
    const std::string told = std::string(kRecoveryQuestion) + " Yes (/QUIET).\r\n";
    ExpectEndedAndTold(run, 0, told, bench);
    EXPECT_EQ(run.err, told) << "nothing more";

    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((bench.paths.ResultPath + "result_*.htm").c_str(), &data));
    ASSERT_TRUE(find.Valid()) << "no report";
    const std::string report = bench.paths.ResultPath + data.cFileName;
    const std::string json = report.substr(0, report.size() - 4) + ".json";
    const std::string score = wt::StandInScore(wt::kDemo1Speed, 640, 480, {2});
    EXPECT_EQ(run.out, "640x480: " + score + " FPS\r\nReport: " + report + "\r\nData: " + json + "\r\n");
    EXPECT_TRUE(wt::FileExists(json));
    bench.ExpectUserFilesBack();
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
}

// The set-aside files cannot be put back (another program holds one): the program says so and
// ends with status 3 without running a pass over them; the files stay set aside.
TEST(QuietBatch, RecoveryThatCannotPutTheFilesBackEndsWithStatusThree) {
    wt::StandInDiagnostics diagnostics(kDiagnosticsFixture);
    wt::UserBench bench("quiet_stuck", "Prey Game");
    bench.CreateSettings({{"NoErrorWarning", "1"}});
    bench.game.WriteCfgFile("preyconfig_old.cfg", kUserPreyconfig);
    wt::WriteFileBytes(bench.paths.CfgPath + "preyconfig.cfg", "seta r_mode \"3\"\r\n");
    const std::set<DWORD> games = wt::ProcessesNamed("prey.exe");
    wt::UnattendedRun run;
    {
        const wt::HeldFile held(bench.paths.CfgPath + "preyconfig_old.cfg", "none");
        ASSERT_TRUE(held.Held());
        run = wt::RunUnattended(bench.Command("/BATCH /QUIET /640 /DEMO1"), bench.paths.BenchDir, kPassBoundMs);
    }
    const std::string told = std::string(kRecoveryQuestion) + " Yes (/QUIET).\r\nYour game settings files could not "
                             "all be put back; they stay set aside in the game's base folder. The benchmark was not "
                             "started.\r\n";
    ExpectEndedAndTold(run, 3, told, bench);
    EXPECT_TRUE(wt::NewProcesses(games, wt::ProcessesNamed("prey.exe")).empty()) << "no game started";
    EXPECT_EQ(bench.game.ReadCfgFile("preyconfig_old.cfg"), kUserPreyconfig) << "still set aside, whole";
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "1") << "the next start asks again";
}

// The closing line of a batch file: it opens the results folder (when there is one) and ends
// with the status of success.
TEST(QuietBatch, OpenLineEndsWithStatusZero) {
    wt::UserBench bench("quiet_open", "Prey Game");
    bench.CreateSettings({{"ResultPath", bench.paths.BenchDir + "No Results\\"}});
    const wt::UnattendedRun run = wt::RunUnattended(bench.Command("/BATCH /OPEN /QUIET"), bench.paths.BenchDir, 60000);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(run.windowShown);
    EXPECT_EQ(run.out + run.err, "");
}

}  // namespace
