#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "results/run_record.h"

// Frame times: from the recorder's capture file to the figures a run and a resolution report.

// No frame of a demo lasts a thousand seconds: a longer one is no measurement, and the
// readers of capture CSVs and data files refuse it.
constexpr double kLongestFrameMs = 1e6;

// What a capture file holds once the game has ended.
struct FrameCapture {
    std::int64_t frequency = 0;        // performance counter ticks per second
    std::uint32_t processId = 0;       // the game's
    std::vector<std::int64_t> stamps;  // one per swap, in order; at most the file's capacity
    bool overflowed = false;           // the recorder counted more swaps than the file holds
};

// The capture's bytes as data; none for a wrong magic, a capacity the bytes cannot hold, a
// negative frequency or stamps that go back in time. A file no recorder mapped (frequency 0)
// gives a capture with frequency 0 and no stamps, so that the run can say the game did not
// load the recorder.
std::optional<FrameCapture> DecodeFrameCapture(const std::string& bytes);

// The demo's frame times in milliseconds: the last `frames` intervals up to the last swap
// (fewer when the capture holds fewer).
std::vector<double> DemoFrameTimesMs(const FrameCapture& capture, long frames);

// Whether the frame times add up to the game's own seconds: within 2 % or 0.1 s.
bool FrameTimesAgree(const std::vector<double>& frameTimesMs, double seconds);

// The figures of a sequence of frame times (one run's, or a resolution's runs pooled). None for
// an empty sequence, for one with a negative or endless frame time, and when the 99th
// percentile frame time is 0. Percentiles by nearest rank; a stutter is a frame longer than 2.5
// times the sequence's median frame time (for an even count, the mean of the middle two); the
// standard deviation is the population's: the frames are all the demo's, not a sample of them.
std::optional<FrameTimeFigures> ComputeFrameTimeFigures(const std::vector<double>& frameTimesMs);

// One run's capture in the column layout of the PresentMon console application's CSV (one row
// per frame, CR LF lines), for frame-time analysis tools that open PresentMon captures.
// application: the game's file name, such as "Prey.exe" (a plain name without a comma).
std::string PresentMonCsv(const std::vector<double>& frameTimesMs, const std::string& application,
                          std::uint32_t processId);
// Such a file back as frame times (its MsBetweenPresents column); none when it is not one.
std::optional<std::vector<double>> ReadPresentMonCsv(const std::string& bytes);

// One run's frame times once the game has ended: the demo's frame times and their figures, or
// why there are none (a sentence for the debug log). When the frame times do not add up to the
// game's seconds, the figures keep the game's average and the run gets a flag
// "frameTimesMismatch" whose text is the report's red line.
struct RunFrameTimes {
    std::vector<double> frameTimesMs;
    std::optional<FrameTimeFigures> figures;
    std::optional<RunFlag> mismatch;
    std::string missingReason;  // empty when figures were computed
};
RunFrameTimes FrameTimesOfRun(const std::optional<FrameCapture>& capture, const RunRecord& run);

// A resolution's figures from all its counted runs' frames together (frameTimesOfRuns[i] are
// runs[i]'s, as FrameTimesOfRun gave them); none when a counted run has no frame times. When a
// counted run's frame times did not add up, the average is the runs' mean score.
std::optional<FrameTimeFigures> PooledFrameTimeFigures(const std::vector<RunRecord>& runs,
                                                       const std::vector<std::vector<double>>& frameTimesOfRuns);

// The capture CSV of one run beside the report: "result_<stamp>.htm", resolution key "640",
// run 2 -> "result_<stamp>_frames_640_run2.csv" (run 0 is the warm-up).
std::string FrameCaptureFileName(const std::string& reportFileName, const std::string& resolutionKey, int run);

// The report's lines for a resolution after its score lines (each ends with "<br>"): the
// pooled figures, or "frame times not recorded" once when a counted run has none.
std::vector<std::string> FrameTimeReportLines(const ResolutionRecord& resolution);
