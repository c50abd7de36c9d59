// The checks of the machine under a real pass: the stand-in game held at the refresh rate of
// Wine's virtual desktop, and a processor kept busy by burner threads this test starts. The
// processor measurement itself is shown against the same burner, and its quiet seam too.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "platform/shell_win.h"
#include "runner/machine_watch_win.h"
#include "result_schema_check.h"
#include "support/pass_bench.h"
#include "support/pass_environment.h"
#include "support/wine_test_support.h"

namespace {

const std::string kRed = "<FONT size=2 color=\"#FF0000\">";

// Threads that keep every processor of the machine busy while they live.
class Burner {
public:
    Burner() {
        const unsigned count = std::max(2u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < count; ++i) {
            threads_.emplace_back([this] {
                volatile unsigned long spin = 0;
                while (!stop_) ++spin;
            });
        }
    }
    ~Burner() {
        stop_ = true;
        for (std::thread& t : threads_) t.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

int CurrentRefreshRate() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    EXPECT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    return static_cast<int>(mode.dmDisplayFrequency);
}

std::string OnlyJson(const std::string& folder) {
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((folder + "result_*.json").c_str(), &data));
    if (!find.Valid()) return "";
    return wt::ReadFileBytes(folder + data.cFileName);
}

std::vector<std::string> RedLines(const std::string& report) {
    std::vector<std::string> reds;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = report.substr(start, end - start);
        if (line.rfind(kRed, 0) == 0) reds.push_back(line);
    }
    return reds;
}

TEST(MachineWatch, TheProcessorReadsBusyWhileABurnerRunsAndUnknownWithTheQuietSeam) {
    {
        wt::ScopedEnvironment real("LURK_QUIET_PROCESSOR", "0");  // the runner's quiet seam taken away
        MachineWatchWin watch;
        Burner burner;
        watch.StartProcessorSample();
        Sleep(1000);
        const std::optional<BusyReading> busy = watch.ProcessorBusy();
        ASSERT_TRUE(busy.has_value());
        EXPECT_GT(busy->percent, kBusyLimitPercent);
        EXPECT_LE(busy->percent, 100.0);
        EXPECT_FALSE(watch.ProcessorBusy().has_value()) << "a reading needs a sample of its own";
    }
    wt::ScopedEnvironment seam("LURK_QUIET_PROCESSOR", "1");
    MachineWatchWin quiet;
    quiet.StartProcessorSample();
    Sleep(50);
    EXPECT_FALSE(quiet.ProcessorBusy().has_value());
}

TEST(MachineChecksPass, AGameHeldAtTheRefreshRateIsFlaggedInTheReportJsonAndCsv) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench bench("mc_refresh", "Prey Game", "Results", {"", ""});
    bench.CreateSettings({});
    wt::WriteFileBytes(bench.paths.GamePath + "\\prey_standin.txt", "fps refresh\r\n");
    ASSERT_TRUE(wt::RunAndWait(bench.Command("/BATCH /DEMO1 /1024 /SHIGH /RUNS2"), bench.paths.BenchDir, 120000).ended);

    const int hz = CurrentRefreshRate();
    ASSERT_GT(hz, 1) << "Wine's virtual desktop names its refresh rate";
    const std::string text = "The frame rate sits at the display's refresh rate of " + std::to_string(hz) +
                             " Hz (or its half or third): vertical sync or a frame limiter held the game back.";
    const std::string json = OnlyJson(bench.paths.ResultPath);
    ASSERT_FALSE(json.empty());
    rapidjson::Document d;
    ASSERT_FALSE(d.Parse(json.c_str()).HasParseError());
    const std::string report = wt::ReadFileBytes(bench.paths.ResultPath + d["report"].GetString());
    EXPECT_EQ(RedLines(report), std::vector<std::string>{kRed + text + "</FONT><br>"}) << "said once for both runs";
    EXPECT_NE(bench.DebugLog().find("Check refreshCap: " + text + "\r\n"), std::string::npos);

    const std::string schema = wt::ReadFileBytes(wt::Env("LURK_SOURCE_DIR") + "\\docs\\result.schema.json");
    EXPECT_EQ(lurk_test::ResultSchemaErrors(schema, json), "");
    const auto& resolution = d["resolutions"][0];
    EXPECT_EQ(resolution["refreshRate"].GetInt(), hz);
    ASSERT_EQ(resolution["runs"].Size(), 2u);
    for (const auto& run : resolution["runs"].GetArray()) {
        EXPECT_DOUBLE_EQ(run["score"].GetDouble(), hz);
        ASSERT_EQ(run["flags"].Size(), 1u);
        EXPECT_STREQ(run["flags"][0]["code"].GetString(), "refreshCap");
    }
    const std::string csv = wt::ReadFileBytes(bench.paths.ResultPath + "Lurkmark results.csv");
    EXPECT_NE(csv.find("," + std::to_string(hz) + ".0,"), std::string::npos) << csv;
    // The flags field, then the computer column.
    EXPECT_NE(csv.find(text + ","), std::string::npos) << csv;
}

// A burner started before the run: the pass flags the busy processor with its figure, unless
// the test build's quiet seam is on, which the tests that compare whole files rely on (even a
// busy machine then gives the files of a quiet one).
TEST(MachineChecksPass, ABurnerGivesTheBusyFlagWithItsFigureUnlessTheQuietSeamIsOn) {
    const struct {
        const char* quiet;
        bool flagged;
    } cases[] = {{"0", true}, {"1", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("LURK_QUIET_PROCESSOR=") + c.quiet);
        wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
        wt::PassBench bench(std::string("mc_busy") + c.quiet, "Prey Game", "Results", {"", ""});
        bench.CreateSettings({});
        {
            wt::ScopedEnvironment seam("LURK_QUIET_PROCESSOR", c.quiet);
            Burner burner;
            ASSERT_TRUE(wt::RunAndWait(bench.Command("/BATCH /DEMO1 /640 /SLOW"), bench.paths.BenchDir, 120000).ended);
        }
        const std::string json = OnlyJson(bench.paths.ResultPath);
        rapidjson::Document d;
        ASSERT_FALSE(d.Parse(json.c_str()).HasParseError());
        const std::vector<std::string> reds = RedLines(wt::ReadFileBytes(bench.paths.ResultPath + d["report"].GetString()));
        const auto& run = d["resolutions"][0]["runs"][0];
        if (!c.flagged) {
            EXPECT_TRUE(reds.empty());
            EXPECT_EQ(run["flags"].Size(), 0u);
            EXPECT_EQ(bench.DebugLog().find("Check "), std::string::npos);
            continue;
        }
        ASSERT_EQ(reds.size(), 1u);
        const std::string opening = kRed + "The processor was ";
        ASSERT_EQ(reds[0].rfind(opening, 0), 0u) << reds[0];
        const int percent = std::atoi(reds[0].c_str() + opening.size());
        EXPECT_GT(percent, 15) << reds[0];
        EXPECT_LE(percent, 100) << reds[0];
        EXPECT_NE(reds[0].find(" % busy with other work before the game started"), std::string::npos) << reds[0];
        ASSERT_EQ(run["flags"].Size(), 1u);
        EXPECT_STREQ(run["flags"][0]["code"].GetString(), "busyMachine");
        EXPECT_NE(bench.DebugLog().find("Check busyMachine: The processor was "), std::string::npos);
    }
}

}  // namespace

namespace {

// Wine has no power plans to read or switch (PowerGetActiveScheme fails): the pass asked for
// the High performance plan goes on and its report says the plan could not be used.
TEST(MachineChecksPass, TheHighPerformancePlanThatCannotBeUsedIsReportedAndThePassGoesOn) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench bench("mc_highperf", "Prey Game", "Results", {"", ""});
    bench.CreateSettings({});
    ASSERT_TRUE(wt::RunAndWait(bench.Command("/BATCH /DEMO1 /640 /SLOW /HIGHPERF"), bench.paths.BenchDir, 120000).ended);
    const std::string json = OnlyJson(bench.paths.ResultPath);
    rapidjson::Document d;
    ASSERT_FALSE(d.Parse(json.c_str()).HasParseError());
    const std::string report = wt::ReadFileBytes(bench.paths.ResultPath + d["report"].GetString());
    const std::string line = kRed + "The High performance power plan could not be used (Windows did not tell the "
                                    "active plan); the pass ran on the active plan.</FONT><br>\r\n";
    const std::size_t at = report.find(line);
    ASSERT_NE(at, std::string::npos) << report;
    EXPECT_EQ(report.compare(at + line.size(), 6, "<hr>\r\n"), 0) << "after the machine description";
    EXPECT_NE(report.find(" FPS</b></span><br>"), std::string::npos) << "the pass went on";
    ASSERT_TRUE(d.HasMember("flags"));
    EXPECT_STREQ(d["flags"][0]["code"].GetString(), "planNotSwitched");
    EXPECT_EQ(wt::ReadSettingsValue("PowerPlanBefore"), "<missing>") << "nothing to put back";
}

}  // namespace

namespace {

// A program that died in a pass on the High performance plan left the plan it switched from in
// the settings key: the next start puts it back (Wine's plan switch takes any plan it is given)
// and empties the value.
TEST(MachineChecksPass, ThePlanAProgramThatDiedLeftIsPutBackAtTheNextStart) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench bench("mc_plan_left", "Prey Game", "Results", {"", ""});
    bench.CreateSettings({{"PowerPlanBefore", "381b4222-f694-41f0-9685-ff5bb260df2e"}});
    ASSERT_TRUE(wt::RunAndWait(bench.Command("/BATCH /DEMO1 /640 /SLOW"), bench.paths.BenchDir, 120000).ended);
    EXPECT_EQ(wt::ReadSettingsValue("PowerPlanBefore"), "");
    EXPECT_NE(wt::ReadFileBytes(bench.paths.ResultPath + "Lurkmark results.csv").find(",640\xC3\x97" "480,1,"),
              std::string::npos)
        << "the pass ran as usual";
}

}  // namespace
