// A batch pass of the real program whose game leaves a console log of 100 MB: the run's
// result is read from the end of it (or "No Score" when it holds no result line), the report
// is written, the program ends, and the user's configuration files are back byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/wine_test_support.h"

namespace {

const char* const kUserAutoexec = "bind F5 \"screenshot\"\r\nseta r_mode \"5\"\r\n";
const char* const kUserPreyconfig = "seta com_showFPS \"0\"\r\nseta ui_name \"Player\"\r\n";

std::string OnlyReport(const std::string& resultFolder) {
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((resultFolder + "result_*.htm").c_str(), &data));
    if (!find.Valid()) return "<no report>";
    const std::string name = data.cFileName;
    if (FindNextFileA(find.Get(), &data)) return "<more than one report>";
    return wt::ReadFileBytes(resultFolder + name);
}

TEST(HugeConsoleLog, BatchPassReadsTheResultAtTheEndOfA100MegabyteLog) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    const wt::PassCaptions captions{"rivo3v-6.demo", "Shader Detail: Low", "", "", "", "Graphics BOOST: disabled"};
    struct Case {
        const char* standIn;
        std::string score;  // empty: the no-score line
    } cases[] = {
        {"logsize 100", wt::StandInScore(wt::kDemo1Speed, 640, 480, {})},
        {"logsize 100;mode noresult", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.standIn);
        wt::GameFolder game("huge_log", "Prey Game");
        const AppPaths& paths = game.Paths();
        const std::string results = paths.BenchDir + "Results\\";
        wt::MakeFolders(results);
        game.WriteCfgFile("autoexec.cfg", kUserAutoexec);
        game.WriteCfgFile("preyconfig.cfg", kUserPreyconfig);
        const std::string exe = wt::InstallProgram(paths.BenchDir);
        wt::CreateSettingsKey({{"Path", paths.GamePath}, {"ResultPath", results}, {"NoErrorWarning", "0"}});
        wt::ScopedEnvironment standIn("PREY_STANDIN", c.standIn);

        const wt::ProcessResult run = wt::RunAndWait("\"" + exe + "\" /BATCH /640 /DEMO1 /SLOW", paths.BenchDir, 120000);
        EXPECT_TRUE(run.ended) << "a batch program ends after its pass";
        EXPECT_EQ(run.exitCode, c.score.empty() ? 1u : 0u) << "a run without a score ends with status 1";

        const std::string section = wt::Joined(wt::ReportSection(wt::PassMode::Batch, "640\xD7" "480", captions, c.score));
        EXPECT_NE(OnlyReport(results).find(section), std::string::npos) << section;
        EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
        EXPECT_EQ(game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
        EXPECT_FALSE(game.HasCfgFile("qconsole.log")) << "the log is deleted after the run";
        wt::DeleteSettingsKey();
    }
}

}  // namespace
