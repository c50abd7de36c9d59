#include "results/frame_times.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/frame_capture_layout.h"
#include "results/run_statistics.h"

namespace {

std::uint64_t LittleEndian(const std::string& bytes, std::size_t offset, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

// The value at the given nearest rank, in per mille (990: the 99th percentile): the smallest
// frame time that at least that share of the frames does not exceed.
double NearestRank(const std::vector<double>& sorted, std::uint64_t perMille) {
    const std::uint64_t n = sorted.size();
    const std::uint64_t rank = std::max<std::uint64_t>(1, (perMille * n + 999) / 1000);
    return sorted[rank - 1];
}

double Median(const std::vector<double>& sorted) {
    const std::size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

}  // namespace

std::optional<FrameCapture> DecodeFrameCapture(const std::string& bytes) {
    if (bytes.size() < kFrameCaptureHeaderBytes) return std::nullopt;
    if (std::memcmp(bytes.data(), kFrameCaptureMagic, sizeof kFrameCaptureMagic) != 0) return std::nullopt;
    const std::uint64_t capacity = LittleEndian(bytes, 8, 4);
    // The bytes bound everything: a capacity the file cannot hold is no capture of ours.
    if (capacity > (bytes.size() - kFrameCaptureHeaderBytes) / 8) return std::nullopt;
    FrameCapture capture;
    capture.processId = static_cast<std::uint32_t>(LittleEndian(bytes, 12, 4));
    capture.frequency = static_cast<std::int64_t>(LittleEndian(bytes, 16, 8));
    const std::uint64_t count = LittleEndian(bytes, 24, 4);
    if (capture.frequency < 0) return std::nullopt;
    if (capture.frequency == 0) {
        // The program prepared the file but no recorder ever mapped it.
        if (count != 0) return std::nullopt;
        return capture;
    }
    capture.overflowed = count > capacity;
    const std::uint64_t stored = std::min(count, capacity);
    capture.stamps.reserve(stored);
    for (std::uint64_t i = 0; i < stored; ++i) {
        const auto stamp = static_cast<std::int64_t>(LittleEndian(bytes, kFrameCaptureHeaderBytes + 8 * i, 8));
        if (!capture.stamps.empty() && stamp < capture.stamps.back()) return std::nullopt;
        capture.stamps.push_back(stamp);
    }
    return capture;
}

std::vector<double> DemoFrameTimesMs(const FrameCapture& capture, long frames) {
    const std::vector<std::int64_t>& s = capture.stamps;
    if (frames <= 0 || s.size() < 2 || capture.frequency <= 0) return {};
    const std::size_t count = std::min<std::size_t>(static_cast<unsigned long>(frames), s.size() - 1);
    std::vector<double> times;
    times.reserve(count);
    const double msPerTick = 1000.0 / static_cast<double>(capture.frequency);
    for (std::size_t i = s.size() - count; i < s.size(); ++i) {
        // In unsigned arithmetic: the stamps rise, but their difference may not fit a signed one.
        const std::uint64_t ticks = static_cast<std::uint64_t>(s[i]) - static_cast<std::uint64_t>(s[i - 1]);
        times.push_back(static_cast<double>(ticks) * msPerTick);
    }
    return times;
}

bool FrameTimesAgree(const std::vector<double>& frameTimesMs, double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) return false;
    double sumMs = 0;
    for (double t : frameTimesMs) sumMs += t;
    return std::fabs(sumMs / 1000.0 - seconds) <= std::max(0.02 * seconds, 0.1);
}

std::optional<FrameTimeFigures> ComputeFrameTimeFigures(const std::vector<double>& frameTimesMs) {
    if (frameTimesMs.empty()) return std::nullopt;
    std::vector<double> sorted = frameTimesMs;
    std::sort(sorted.begin(), sorted.end());
    if (!std::isfinite(sorted.back()) || sorted.front() < 0) return std::nullopt;
    FrameTimeFigures f;
    f.frames = static_cast<long>(sorted.size());
    f.p99Ms = NearestRank(sorted, 990);
    f.p999Ms = NearestRank(sorted, 999);
    // Frames of no measurable length at the 99th percentile give no frame rate to show.
    if (f.p99Ms <= 0) return std::nullopt;
    double sum = 0;
    for (double t : sorted) sum += t;
    const double mean = sum / static_cast<double>(sorted.size());
    f.averageFps = 1000.0 / mean;
    f.low1Fps = 1000.0 / f.p99Ms;
    f.low01Fps = 1000.0 / f.p999Ms;
    f.worstMs = sorted.back();
    const double stutterMs = 2.5 * Median(sorted);
    f.stutters = static_cast<long>(sorted.end() - std::upper_bound(sorted.begin(), sorted.end(), stutterMs));
    double squares = 0;
    for (double t : sorted) squares += (t - mean) * (t - mean);
    f.stddevMs = std::sqrt(squares / static_cast<double>(sorted.size()));
    return f;
}

namespace {

const char* const kPresentMonColumns[] = {
    "Application",   "ProcessID",         "SwapChainAddress",       "Runtime",      "SyncInterval",
    "PresentFlags",  "AllowsTearing",     "PresentMode",            "Dropped",      "TimeInSeconds",
    "MsInPresentAPI", "MsBetweenPresents", "MsBetweenDisplayChange", "MsUntilRenderComplete",
    "MsUntilDisplayed"};

// Bounds for what the reader accepts: a file no bigger than a capture the recorder can hold,
// and lines no longer than any such tool writes.
constexpr std::size_t kMostColumns = 256;
constexpr std::size_t kLongestLine = 4096;

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Frame times are read as the game's own figures are: digits with at most one point, up to
// the largest score, which is also the longest frame.
static_assert(kLongestFrameMs == kLargestScore, "ScoreValue bounds the frame times");

}  // namespace

std::string PresentMonCsv(const std::vector<double>& frameTimesMs, const std::string& application,
                          std::uint32_t processId) {
    std::string csv;
    for (const char* column : kPresentMonColumns) csv += (csv.empty() ? "" : ",") + std::string(column);
    csv += "\r\n";
    // The recorder sees the swap and nothing of the display: the present's interval stands for
    // the display change too, and what only a driver trace can tell is 0. TimeInSeconds counts
    // from the swap before the demo's first frame.
    const std::string fixed = application + "," + std::to_string(processId) +
                              ",0x0000000000000000,Other,0,0,0,Unknown,0,";
    double elapsedMs = 0;
    for (double t : frameTimesMs) {
        elapsedMs += t;
        const std::string ms = FixedText(t, 3);
        csv += fixed + FixedText(elapsedMs / 1000.0, 6) + ",0.000," + ms + "," + ms + ",0.000,0.000\r\n";
    }
    return csv;
}

std::optional<std::vector<double>> ReadPresentMonCsv(const std::string& bytes) {
    std::vector<double> times;
    std::optional<std::size_t> column;
    std::size_t columns = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, std::min(end - start, kLongestLine + 1));
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kLongestLine) return std::nullopt;
        if (line.empty()) continue;
        const std::vector<std::string> fields = SplitFields(line);
        if (!column) {
            if (fields.size() > kMostColumns) return std::nullopt;
            const auto found = std::find(fields.begin(), fields.end(), "MsBetweenPresents");
            if (found == fields.end() || std::find(fields.begin(), fields.end(), "Application") == fields.end()) {
                return std::nullopt;
            }
            column = static_cast<std::size_t>(found - fields.begin());
            columns = fields.size();
            continue;
        }
        if (fields.size() != columns || times.size() >= kFrameCaptureCapacity) return std::nullopt;
        const std::optional<double> ms = ScoreValue(fields[*column]);
        if (!ms) return std::nullopt;
        times.push_back(*ms);
    }
    if (!column) return std::nullopt;
    return times;
}

namespace {

const char kMismatchCode[] = "frameTimesMismatch";

RunFlag MismatchFlag(const std::vector<double>& frameTimesMs, const std::string& secondsText) {
    double sumMs = 0;
    for (double t : frameTimesMs) sumMs += t;
    return {kMismatchCode, "The recorded frame times add up to " + FixedText(sumMs / 1000.0, 1) +
                               " seconds, the game counted " + secondsText +
                               " seconds: the frame-time figures may not match the demo (the average is the game's)."};
}

// Why a run's capture gives no frame times; empty when it gives them.
std::string MissingReason(const std::optional<FrameCapture>& capture, const RunRecord& run) {
    if (run.ended == RunEnd::TimeLimit) return "the game was ended by the time limit";
    if (!run.score) return "the run gave no score";
    if (!capture) return "no frame capture could be read (the file is missing or not one the recorder writes)";
    if (capture->frequency == 0) return "the game did not load the frame recorder";
    if (capture->overflowed) {
        return "the game swapped more often than the capture holds (" + std::to_string(capture->stamps.size()) +
               " frames)";
    }
    if (!run.evidence.frames || *run.evidence.frames <= 0 || run.evidence.secondsText.empty()) {
        return "the game's result line gave no frame count and seconds";
    }
    const std::size_t intervals = capture->stamps.empty() ? 0 : capture->stamps.size() - 1;
    if (intervals < static_cast<unsigned long>(*run.evidence.frames)) {
        return "the capture holds " + std::to_string(intervals) + " frames, fewer than the demo's " +
               std::to_string(*run.evidence.frames);
    }
    return "";
}

}  // namespace

RunFrameTimes FrameTimesOfRun(const std::optional<FrameCapture>& capture, const RunRecord& run) {
    RunFrameTimes result;
    result.missingReason = MissingReason(capture, run);
    if (!result.missingReason.empty()) return result;
    result.frameTimesMs = DemoFrameTimesMs(*capture, *run.evidence.frames);
    result.figures = ComputeFrameTimeFigures(result.frameTimesMs);
    if (!result.figures) {
        result.frameTimesMs.clear();
        result.missingReason = "the recorded frames have no measurable length";
        return result;
    }
    const double seconds = std::strtod(run.evidence.secondsText.c_str(), nullptr);
    if (!FrameTimesAgree(result.frameTimesMs, seconds)) {
        result.mismatch = MismatchFlag(result.frameTimesMs, run.evidence.secondsText);
        result.figures->averageFps = *run.score;
    }
    return result;
}

std::optional<FrameTimeFigures> PooledFrameTimeFigures(const std::vector<RunRecord>& runs,
                                                       const std::vector<std::vector<double>>& frameTimesOfRuns) {
    std::vector<double> pooled;
    bool mismatch = false;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const RunRecord& run = runs[i];
        if (run.warmUp || !run.score) continue;
        // A pooled figure that leaves out a counted run would not describe the resolution.
        if (!run.frameTimes || i >= frameTimesOfRuns.size() || frameTimesOfRuns[i].empty()) return std::nullopt;
        pooled.insert(pooled.end(), frameTimesOfRuns[i].begin(), frameTimesOfRuns[i].end());
        for (const RunFlag& flag : run.flags) mismatch = mismatch || flag.code == kMismatchCode;
    }
    std::optional<FrameTimeFigures> figures = ComputeFrameTimeFigures(pooled);
    // As for a run: frame times that do not add up keep the game's average.
    if (figures && mismatch) figures->averageFps = *ComputeStatistics(runs).mean;
    return figures;
}

std::string FrameCaptureFileName(const std::string& reportFileName, const std::string& resolutionKey, int run) {
    const std::size_t dot = reportFileName.rfind('.');
    return reportFileName.substr(0, dot) + "_frames_" + resolutionKey + "_run" + std::to_string(run) + ".csv";
}

std::vector<std::string> FrameTimeReportLines(const ResolutionRecord& resolution) {
    bool counted = false;
    for (const RunRecord& run : resolution.runs) {
        if (run.warmUp || !run.score) continue;
        counted = true;
        if (!run.frameTimes) {
            return {"<FONT size=2>1 % low and stutters: frame times not recorded (the debug log says why)</FONT><br>"};
        }
    }
    if (!counted || !resolution.frameTimes) return {};
    const FrameTimeFigures& f = *resolution.frameTimes;
    return {"<FONT size=2>Frame times: 1 % low " + FixedText(f.low1Fps, 1) + " FPS, 0.1 % low " +
                FixedText(f.low01Fps, 1) + " FPS, 99th percentile frame time " + FixedText(f.p99Ms, 2) +
                " ms, worst frame " + FixedText(f.worstMs, 2) + " ms</FONT><br>",
            "<FONT size=2>Stutters: " + std::to_string(f.stutters) + " of " + std::to_string(f.frames) +
                " frames longer than 2.5 times the median frame time; standard deviation " +
                FixedText(f.stddevMs, 2) + " ms</FONT><br>"};
}
