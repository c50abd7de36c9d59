#include "results/compare_frames.h"

#include <gtest/gtest.h>

#include <map>

#include "history_fixtures.h"
#include "results/frame_times.h"

namespace {

using history_fixtures::MakePass;

RunSummary MakeRun(int number, bool scored, const std::string& file) {
    RunSummary run;
    run.run = number;
    run.warmUp = number == 0;
    run.ended = scored ? "scored" : "noScore";
    if (scored) run.score = 60;
    run.frameTimesFile = file;
    return run;
}

std::vector<double> Steady(std::size_t count, double ms) { return std::vector<double>(count, ms); }

bool SamePoints(const std::vector<PlotPoint>& a, const std::vector<PlotPoint>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
    }
    return true;
}

TEST(FrameTimeLinesOfPass, ReadsTheCountedRunsCapturesBesideTheDataFile) {
    const std::vector<double> first = Steady(500, 10);
    std::vector<double> second = Steady(500, 20);
    second[250] = 95;
    std::map<std::string, std::string> disk = {
        {"C:\\R\\warm.csv", PresentMonCsv(Steady(50, 300), "prey.exe", 7)},
        {"C:\\R\\r1.csv", PresentMonCsv(first, "prey.exe", 7)},
        {"C:\\R\\r2.CSV", PresentMonCsv(second, "prey.exe", 7)},
        {"C:\\R\\junk.csv", "not,a\r\ncapture\r\n"},
        {"C:\\R\\big.csv", std::string(16, 'x')},
    };
    std::vector<std::string> asked;
    const CaptureReader read = [&](const std::string& path, unsigned long long maxBytes, std::string& bytes) {
        asked.push_back(path);
        EXPECT_EQ(maxBytes, kCaptureFileMaxBytes);
        if (path == "C:\\R\\big.csv") return BoundedRead::TooLarge;
        const auto found = disk.find(path);
        if (found == disk.end()) return BoundedRead::NotRead;
        bytes = found->second;
        return BoundedRead::Read;
    };
    std::vector<double> both = first;
    both.insert(both.end(), second.begin(), second.end());

    const struct {
        const char* name;
        std::vector<RunSummary> runs;
        bool entry;  // the resolution has frame-time lines (drawn or not)
        std::vector<double> overTime;
        std::vector<double> byPercentile;
        std::string problem;
        std::vector<std::string> asked;
    } cases[] = {
        {"warm-up and unscored runs left out",
         {MakeRun(0, true, "warm.csv"), MakeRun(1, true, "r1.csv"), MakeRun(2, true, "r2.CSV"),
          MakeRun(3, false, "r1.csv")},
         true,
         first,
         both,
         "",
         {"C:\\R\\r1.csv", "C:\\R\\r2.CSV"}},
        {"no counted run recorded",
         {MakeRun(0, true, "warm.csv"), MakeRun(1, true, ""), MakeRun(2, false, "r1.csv")},
         false,
         {},
         {},
         "",
         {}},
        {"a run without frame times beside one with",
         {MakeRun(1, true, ""), MakeRun(2, true, "r1.csv")},
         true,
         first,
         first,
         "run 1: frame times not recorded",
         {"C:\\R\\r1.csv"}},
        {"names with a path or of a device are never opened",
         {MakeRun(1, true, "..\\r1.csv"), MakeRun(2, true, "sub/r1.csv"), MakeRun(3, true, "C:r1.csv"),
          MakeRun(4, true, "r1.txt"), MakeRun(5, true, ".."), MakeRun(6, true, "NUL.csv")},
         true,
         {},
         {},
         "run 1: names no plain capture file beside it; run 2: names no plain capture file beside it; "
         "run 3: names no plain capture file beside it; run 4: names no plain capture file beside it; "
         "run 5: names no plain capture file beside it; run 6: names no plain capture file beside it",
         {}},
        {"missing, too large, not a capture",
         {MakeRun(1, true, "gone.csv"), MakeRun(2, true, "big.csv"), MakeRun(3, true, "junk.csv"),
          MakeRun(4, true, "r2.CSV")},
         true,
         second,
         second,
         "run 1: gone.csv cannot be read; run 2: big.csv is larger than 160 MB; "
         "run 3: junk.csv holds no frame times",
         {"C:\\R\\gone.csv", "C:\\R\\big.csv", "C:\\R\\junk.csv", "C:\\R\\r2.CSV"}},
    };
    for (const auto& c : cases) {
        PassSummary pass =
            MakePass("2026-12-01T20:00:00Z", "n", {{"640", 60.0, std::nullopt}, {"1024", 40.0, std::nullopt}});
        pass.resolutions[0].runs = c.runs;
        pass.resolutions[1].runs = {MakeRun(1, true, "")};
        asked.clear();
        const std::map<std::string, FrameTimeLines> lines = FrameTimeLinesOfPass(pass, "C:\\R\\", read);
        EXPECT_EQ(lines.count("1024"), 0u) << c.name;
        ASSERT_EQ(lines.count("640"), c.entry ? 1u : 0u) << c.name;
        EXPECT_EQ(asked, c.asked) << c.name;
        if (!c.entry) continue;
        const FrameTimeLines& l = lines.at("640");
        EXPECT_TRUE(SamePoints(l.overTime, FrameTimeOverTime(c.overTime, kOverTimeBuckets))) << c.name;
        EXPECT_TRUE(SamePoints(l.byPercentile, FrameTimePercentiles(c.byPercentile))) << c.name;
        EXPECT_EQ(l.problem, c.problem) << c.name;
    }
}

}  // namespace
