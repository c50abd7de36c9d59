// A lab of two PCs (this Wine prefix and a second one, with another computer name) runs
// unattended batch passes into one results folder on a UNC path at the same moment, round
// after round. Both PCs use a time format without seconds or minutes, so that every pass has
// the same start time and so the same report name: what PCs started in the same second meet.
// Every pass keeps its own report and data file, the table holds every row once and whole,
// every exit status says "scored", and each PC's game files are back byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <thread>
#include <vector>

#include <rapidjson/document.h>

#include "platform/scoped_win.h"
#include "support/eventually.h"
#include "support/pass_bench.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/process_list.h"
#include "support/unattended_run.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

const char* const kUserAutoexec = "bind F5 \"screenshot\"\r\nseta ui_name \"Ren\xE9\"\r\n";
const char* const kUserPreyconfig = "seta com_showFPS \"0\"\r\n";
const char* const kShare = "\\\\lurklab\\results\\";
const char* const kSecondPc = "LURK-PC2";
constexpr int kRounds = 3;
constexpr DWORD kPassBoundMs = 180000;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the table ends with a whole row";
    return lines;
}

std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA(pattern.c_str(), &data));
    if (!find.Valid()) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(find.Get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

// This PC's registry value, put back afterwards.
class ScopedUserValue {
public:
    ScopedUserValue(const char* key, const char* name, const std::string& value) : name_(name) {
        RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.Receive(), nullptr);
        char old[256] = {};
        DWORD size = sizeof old;
        had_ = RegQueryValueExA(key_.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        old_ = old;
        RegSetValueExA(key_.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }
    ~ScopedUserValue() {
        if (had_) {
            RegSetValueExA(key_.Get(), name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>(old_.size() + 1));
        } else {
            RegDeleteValueA(key_.Get(), name_);
        }
    }

private:
    ScopedRegKey key_;
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// The second PC, reached through the request files of the test harness.
class SecondPc {
public:
    struct Result {
        bool ended = false;
        int status = -1;
        std::string err;
    };
    // Starts the program with its arguments in the second prefix; Wait gives its end.
    void Start(const std::string& name, const std::vector<std::string>& argv) {
        std::string text;
        for (const std::string& a : argv) text += a + "\n";
        const std::string base = wt::Env("LURK_PC2_REQUESTS") + name;
        wt::WriteFileBytes(base + ".tmp", text);
        MoveFileA((base + ".tmp").c_str(), (base + ".args").c_str());
    }
    Result Wait(const std::string& name, DWORD timeoutMs = kPassBoundMs) {
        const std::string base = wt::Env("LURK_PC2_REQUESTS") + name;
        Result result;
        result.ended = wt::WaitUntil([&] { return wt::FileExists(base + ".status"); }, timeoutMs);
        if (!result.ended) return result;
        result.status = std::atoi(wt::ReadFileBytes(base + ".status").c_str());
        result.err = wt::ReadFileBytes(base + ".err");
        return result;
    }
    Result Run(const std::string& name, const std::vector<std::string>& argv) {
        Start(name, argv);
        return Wait(name, 60000);
    }
    // A path of this PC's C: drive as the second PC reaches it.
    static std::string View(const std::string& path) { return wt::Env("LURK_PC1_DRIVE_C_FOR_PC2") + path.substr(3); }
};

void RegAdd(SecondPc& pc, const std::string& name, const std::string& key, const std::string& value,
            const std::string& data, bool view32) {
    std::vector<std::string> argv = {"reg", "add", key, "/v", value, "/d", data, "/f"};
    if (view32) argv.push_back("/reg:32");
    const SecondPc::Result r = pc.Run(name, argv);
    ASSERT_TRUE(r.ended && r.status == 0) << name << ": " << r.err;
}

TEST(LabOfTwoPcs, PassesStartedTogetherIntoOneShareKeepEveryFileAndRow) {
    char ownName[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof ownName;
    ASSERT_TRUE(GetComputerNameA(ownName, &size));
    ASSERT_NE(std::string(ownName), kSecondPc);
    ASSERT_TRUE(wt::FolderExists(kShare)) << "the share is reachable by its UNC path";

    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench first("lab_pc1", "Prey Game", "unused", {kUserAutoexec, kUserPreyconfig});
    wt::PassBench second("lab_pc2", "Prey Game", "unused", {kUserAutoexec, kUserPreyconfig});
    first.CreateSettings({{"ResultPath", kShare}});
    // A time format with neither seconds nor minutes: every pass starts "at the same time".
    const char* const international = "Control Panel\\International";
    ScopedUserValue date(international, "sShortDate", "'lab'");
    ScopedUserValue time(international, "sTimeFormat", "'night'");

    SecondPc pc2;
    const std::string settingsKey = "HKLM\\SOFTWARE\\Quenwick\\Lurkmark";
    const std::map<std::string, std::string> values = {{"Path", SecondPc::View(second.paths.GamePath)},
                                                       {"ResultPath", kShare},
                                                       {"Programversion", "1.0"},
                                                       {"NoErrorWarning", "0"}};
    for (const auto& [name, value] : values) RegAdd(pc2, "set_" + name, settingsKey, name, value, true);
    RegAdd(pc2, "date", "HKCU\\Control Panel\\International", "sShortDate", "'lab'", false);
    RegAdd(pc2, "time", "HKCU\\Control Panel\\International", "sTimeFormat", "'night'", false);

    const std::string switches = "/BATCH /QUIET /640 /DEMO1 /SHIGH";
    for (int round = 1; round <= kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string name = "pass" + std::to_string(round);
        pc2.Start(name, {SecondPc::View(second.exe), "/BATCH", "/QUIET", "/640", "/DEMO1", "/SHIGH"});
        const wt::ProcessResult own = wt::RunAndWait(first.Command(switches), first.paths.BenchDir, kPassBoundMs);
        const SecondPc::Result other = pc2.Wait(name);
        ASSERT_TRUE(own.ended);
        ASSERT_TRUE(other.ended);
        EXPECT_EQ(own.exitCode, 0u);
        EXPECT_EQ(other.status, 0) << other.err;
        for (const wt::PassBench* pc : {&first, &second}) {
            EXPECT_EQ(pc->game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
            EXPECT_EQ(pc->game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
            EXPECT_FALSE(pc->game.HasCfgFile("autoexec_old.cfg"));
            EXPECT_FALSE(pc->game.HasCfgFile("preyconfig_old.cfg"));
        }
    }

    // Every pass has its report and data file: one name each, the first as a lone pass has it.
    const std::string share = kShare;
    std::vector<std::string> expected = {"result_lab_night.htm"};
    for (int n = 2; n <= 2 * kRounds; ++n) expected.push_back("result_lab_night_" + std::to_string(n) + ".htm");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(share + "result_*.htm"), expected);
    std::map<std::string, int> passesOf;
    for (const std::string& report : expected) {
        const std::string json = wt::FileBytesOrMissing(share + report.substr(0, report.size() - 4) + ".json");
        rapidjson::Document d;
        ASSERT_FALSE(d.Parse(json.c_str()).HasParseError()) << report;
        EXPECT_EQ(std::string(d["report"].GetString()), report) << "the data file follows its report";
        ASSERT_TRUE(d.HasMember("computer")) << report;
        ++passesOf[d["computer"].GetString()];
        ASSERT_TRUE(d.HasMember("machineId")) << report;
        EXPECT_EQ(std::string(d["machineId"].GetString()).size(), 36u) << report;
        const std::string html = wt::ReadFileBytes(share + report);
        EXPECT_NE(html.find("</BODY></HTML>"), std::string::npos) << report << " is whole";
    }
    EXPECT_EQ(passesOf, (std::map<std::string, int>{{ownName, kRounds}, {kSecondPc, kRounds}}));

    // The table: the header once, then every run's row once and whole, the computer last.
    const std::vector<std::string> rows = Lines(wt::ReadFileBytes(share + "Lurkmark results.csv"));
    ASSERT_EQ(rows.size(), 1u + 2 * kRounds);
    EXPECT_EQ(rows[0], "\xEF\xBB\xBFstarted,note,machine,resolution,run,score,frames,seconds,flags,computer");
    std::map<std::string, int> rowsOf;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::string computer = rows[i].substr(rows[i].rfind(',') + 1);
        ++rowsOf[computer];
        EXPECT_EQ(rows[i].find("\xEF\xBB\xBF"), std::string::npos) << "no second header";
    }
    EXPECT_EQ(rowsOf, passesOf);
    EXPECT_TRUE(Names(share + "Lurkmark results *.csv").empty()) << "no side file was needed";
}

// The share goes away while the game runs: one failure, told once on standard error and in
// the debug log, the status says the results are not saved, and the user's files come back.
TEST(LabOfTwoPcs, ShareThatGoesAwayDuringAPassIsOneFailureAndTheGameFilesComeBack) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench pc("lab_gone", "Prey Game", "unused", {kUserAutoexec, kUserPreyconfig});
    pc.CreateSettings({{"ResultPath", kShare}});
    const std::string release = pc.paths.BenchDir + "release.txt";
    wt::ScopedEnvironment standIn("PREY_STANDIN", "hold " + release);
    std::string shared = wt::Env("LURK_LAB_SHARED_UNIX");
    shared.pop_back();
    const std::string away = shared + "_away";

    const std::set<DWORD> before = wt::ProcessesNamed("prey.exe");
    wt::UnattendedRun run;
    std::thread pass([&] { run = wt::RunUnattended(pc.Command("/BATCH /QUIET /640 /DEMO1 /SHIGH"), pc.paths.BenchDir,
                                                     kPassBoundMs); });
    EXPECT_TRUE(wt::WaitUntil([&] { return !wt::NewProcesses(before, wt::ProcessesNamed("prey.exe")).empty(); },
                              60000))
        << "the game runs";
    EXPECT_TRUE(MoveFileA(shared.c_str(), away.c_str())) << "the share goes";
    EXPECT_FALSE(wt::FolderExists(kShare));
    wt::WriteFileBytes(release, "");
    pass.join();
    MoveFileA(away.c_str(), shared.c_str());
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_FALSE(run.windowShown);
    const std::string told = "The report could not be saved. Cannot ";
    EXPECT_EQ(run.err.rfind(told, 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "told once: " << run.err;
    EXPECT_NE(pc.DebugLog().find("\r\n" + told), std::string::npos) << pc.DebugLog();
    EXPECT_EQ(run.out, "640x480: " + wt::StandInScore(wt::kDemo1Speed, 640, 480, {2}) + " FPS\r\n")
        << "no report, no paths";
    EXPECT_EQ(pc.game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(pc.game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
    EXPECT_FALSE(pc.game.HasCfgFile("autoexec_old.cfg"));
    EXPECT_FALSE(pc.game.HasCfgFile("preyconfig_old.cfg"));
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
}

}  // namespace
