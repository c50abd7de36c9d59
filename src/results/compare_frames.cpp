#include "results/compare_frames.h"

#include <vector>

#include "platform/ascii_case.h"
#include "results/frame_times.h"
#include "upgrader/plain_file_name.h"

namespace {

// No folder, drive or stream, and no device either: "NUL.csv" would open the device.
bool IsCaptureName(const std::string& name) {
    return IsPlainFileName(name.data(), name.data() + name.size()) && name.size() > 4 &&
           AsciiUpper(name.substr(name.size() - 4)) == ".CSV";
}

bool Counts(const RunSummary& run) { return !run.warmUp && run.score.has_value(); }

bool Recorded(const RunSummary& run) { return run.frameTimes.has_value() || !run.frameTimesFile.empty(); }

// The run's frame times, or why there are none.
std::vector<double> ReadRun(const RunSummary& run, const std::string& folder, const CaptureReader& read,
                            std::string& problem) {
    const std::string& name = run.frameTimesFile;
    if (name.empty()) {
        problem = "names no capture file";
        return {};
    }
    if (!IsCaptureName(name)) {
        problem = "names no plain capture file beside it";
        return {};
    }
    std::string bytes;
    switch (read(folder + name, kCaptureFileMaxBytes, bytes)) {
    case BoundedRead::NotRead: problem = name + " cannot be read"; return {};
    case BoundedRead::TooLarge: problem = name + " is larger than " + kCaptureFileMaxText; return {};
    case BoundedRead::Read: break;
    }
    std::optional<std::vector<double>> frames = ReadPresentMonCsv(bytes);
    if (!frames || frames->empty()) {
        problem = name + " holds no frame times";
        return {};
    }
    return std::move(*frames);
}

}  // namespace

std::map<std::string, FrameTimeLines> FrameTimeLinesOfPass(const PassSummary& pass, const std::string& folder,
                                                           const CaptureReader& read) {
    std::map<std::string, FrameTimeLines> linesByKey;
    for (const ResolutionSummary& resolution : pass.resolutions) {
        bool recorded = false;
        for (const RunSummary& run : resolution.runs) recorded = recorded || (Counts(run) && Recorded(run));
        if (!recorded) continue;
        FrameTimeLines& lines = linesByKey[resolution.key];
        std::vector<double> pooled;
        for (const RunSummary& run : resolution.runs) {
            if (!Counts(run)) continue;
            std::string problem = "frame times not recorded";
            const std::vector<double> frames =
                Recorded(run) ? ReadRun(run, folder, read, problem) : std::vector<double>();
            if (frames.empty()) {
                lines.problem +=
                    (lines.problem.empty() ? "" : "; ") + ("run " + std::to_string(run.run) + ": ") + problem;
                continue;
            }
            if (pooled.empty()) lines.overTime = FrameTimeOverTime(frames, kOverTimeBuckets);
            pooled.insert(pooled.end(), frames.begin(), frames.end());
        }
        lines.byPercentile = FrameTimePercentiles(std::move(pooled));
    }
    return linesByKey;
}
