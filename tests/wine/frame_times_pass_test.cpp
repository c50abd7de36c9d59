// Batch passes with "Record every frame's time": the real program, the real cmd, the stand-in
// game loading what r_glDriver names and pacing its frames, and the frame recorder beside the
// program. What the game swapped comes back as the report's lines, the data file's figures and
// the capture CSV's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "results/frame_times.h"
#include "results/result_file_reader.h"
#include "support/eventually.h"
#include "support/pass_environment.h"
#include "support/user_bench.h"
#include "support/wine_test_support.h"

namespace {

// 800 frames of 5 ms, every 80th taking 40 ms: ten spikes, 1.25 % of the frames, so that the 99th
// percentile (nearest rank 792) and everything above it fall on spikes. The stand-in never
// ends a frame early but a loaded machine may end one late: frame times are checked from the
// pace up to kLateMs more.
constexpr long kFrames = 800;
constexpr long kSpikeEvery = 80;
constexpr double kSpikeMs = 40;
constexpr double kLateMs = 60;
const char* const kPacedSpikes = "pace spikes:5:40:80;stopat 800";

struct FramesBench : wt::UserBench {
    explicit FramesBench(const std::string& name) : UserBench(name, "Prey Game") {
        wt::InstallFrameRecorder(paths.BenchDir);
    }
    // The one report of the pass, its data file and the capture CSVs in the results folder.
    std::string OnlyFile(const std::string& suffix) const {
        std::string found;
        for (const std::string& name : Names(paths.ResultPath)) {
            if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                EXPECT_EQ(found, "") << "a second " << suffix << ": " << name;
                found = name;
            }
        }
        return found;
    }
    std::set<std::string> CaptureCsvs() const {
        std::set<std::string> csvs;
        for (const std::string& name : Names(paths.ResultPath)) {
            if (name.find("_frames_") != std::string::npos) csvs.insert(name);
        }
        return csvs;
    }
};

// The number after `label` in the text, as the report prints it.
double NumberAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no \"" << label << "\" in " << text;
        return -1;
    }
    return std::strtod(text.c_str() + at + label.size(), nullptr);
}

TEST(FrameTimesPass, SteadyFramesWithSpikesGiveTheirPercentilesInTheReportDataFileAndCapture) {
    FramesBench bench("ft_spikes");
    bench.CreateSettings({});
    wt::ScopedEnvironment standIn("PREY_STANDIN", kPacedSpikes);
    const wt::ProcessResult run =
        wt::RunAndWait(bench.Command("/BATCH /640 /DEMO1 /SHIGH /FRAMES"), bench.paths.BenchDir, 120000);
    ASSERT_TRUE(run.ended);

    const std::string reportName = bench.OnlyFile(".htm");
    ASSERT_NE(reportName, "");
    const std::string stamp = reportName.substr(0, reportName.size() - 4);
    const std::string report = wt::ReadFileBytes(bench.paths.ResultPath + reportName);
    const std::size_t lines = report.find("<FONT size=2>Frame times: 1 % low ");
    ASSERT_NE(lines, std::string::npos) << report;
    const std::string section = report.substr(lines);
    const double p99 = NumberAfter(section, "99th percentile frame time ");
    EXPECT_GE(p99, kSpikeMs - 0.5);
    EXPECT_LE(p99, kSpikeMs + kLateMs);
    EXPECT_NEAR(NumberAfter(section, "1 % low "), 1000 / p99, 0.06);
    EXPECT_GE(NumberAfter(section, "worst frame "), kSpikeMs - 0.5);
    const double stutters = NumberAfter(section, "Stutters: ");
    EXPECT_GE(stutters, kFrames / kSpikeEvery) << "every spike is longer than 2.5 times the median";
    EXPECT_LE(stutters, kFrames / 10) << "a loaded machine delays some frames, not most";
    EXPECT_NE(section.find(" of 800 frames"), std::string::npos);
    EXPECT_LT(report.find("Score = "), lines) << "after the score lines";
    EXPECT_EQ(report.find("frame times not recorded"), std::string::npos);

    const ResultFileReading data = ReadResultFile(wt::ReadFileBytes(bench.paths.ResultPath + stamp + ".json"));
    ASSERT_TRUE(data.pass) << data.problem;
    ASSERT_EQ(data.pass->resolutions.size(), 1u);
    const ResolutionSummary& resolution = data.pass->resolutions[0];
    ASSERT_EQ(resolution.runs.size(), 1u);
    const RunSummary& only = resolution.runs[0];
    ASSERT_TRUE(only.frameTimes);
    ASSERT_TRUE(resolution.frameTimes);
    EXPECT_EQ(only.frameTimes->frames, kFrames);
    EXPECT_NEAR(only.frameTimes->p99Ms, p99, 0.006) << "the report prints it with two decimals";
    EXPECT_EQ(resolution.frameTimes->frames, kFrames);
    EXPECT_NEAR(only.frameTimes->averageFps, *only.score, *only.score * 0.02 + 1) << "the capture agrees with the game";
    EXPECT_TRUE(only.flags.empty()) << only.flags[0].code;

    EXPECT_EQ(bench.CaptureCsvs(), (std::set<std::string>{only.frameTimesFile}));
    EXPECT_EQ(only.frameTimesFile, stamp + "_frames_640_run1.csv");
    const std::optional<std::vector<double>> rows =
        ReadPresentMonCsv(wt::ReadFileBytes(bench.paths.ResultPath + only.frameTimesFile));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), static_cast<std::size_t>(kFrames)) << "the demo's frames, not the swap before them";
    for (long frame = kSpikeEvery; frame <= kFrames; frame += kSpikeEvery) {
        EXPECT_GE((*rows)[frame - 1], kSpikeMs - 0.5) << "frame " << frame << " is a spike, in the game's order";
    }
    std::vector<double> sorted = *rows;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_GE(sorted[0], 4.5) << "no frame shorter than its pace";
    EXPECT_LT(sorted[kFrames / 2], 5 + kLateMs / 4) << "most frames keep their pace";

    EXPECT_NE(bench.DebugLog().find("Frame times: 800 frames, 1 % low "), std::string::npos);
    EXPECT_TRUE(wt::FileGoes(bench.paths.BenchDir + "Lurkmark frames.capture"));
    bench.ExpectUserFilesBack();
}

// A game that keeps its own GL library: the run counts with the game's average, the section
// says "frame times not recorded" once and the debug log why.
TEST(FrameTimesPass, AGameThatIgnoresTheRecorderGivesTheAverageAndSaysFrameTimesWereNotRecorded) {
    FramesBench bench("ft_ignored");
    bench.CreateSettings({});
    wt::ScopedEnvironment standIn("PREY_STANDIN", "gldriver ignore;pace steady:5;stopat 200");
    const wt::ProcessResult run =
        wt::RunAndWait(bench.Command("/BATCH /640 /DEMO1 /SHIGH /FRAMES"), bench.paths.BenchDir, 120000);
    ASSERT_TRUE(run.ended);

    const std::string reportName = bench.OnlyFile(".htm");
    ASSERT_NE(reportName, "");
    const std::string report = wt::ReadFileBytes(bench.paths.ResultPath + reportName);
    const std::size_t score = report.find("<b>Score = ");
    ASSERT_NE(score, std::string::npos) << report;
    EXPECT_GT(NumberAfter(report, "<b>Score = "), 0) << "the game's average, as without the option";
    const std::string notRecorded =
        "<FONT size=2>1 % low and stutters: frame times not recorded (the debug log says why)</FONT><br>";
    const std::size_t line = report.find(notRecorded);
    EXPECT_GT(line, score);
    EXPECT_EQ(report.find(notRecorded, line + 1), std::string::npos) << "said once";
    EXPECT_NE(bench.DebugLog().find("Frame times not recorded: the game did not load the frame recorder.\r\n"),
              std::string::npos)
        << bench.DebugLog();
    EXPECT_TRUE(bench.CaptureCsvs().empty());
    EXPECT_TRUE(wt::FileGoes(bench.paths.BenchDir + "Lurkmark frames.capture"));
    EXPECT_EQ(run.exitCode, 0u) << "no frame times is no finding";
}

}  // namespace
