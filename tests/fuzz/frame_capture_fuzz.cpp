// A frame capture file, whatever it holds: decoded only within its bytes, and a run's frame
// times from it are either figures that can be shown or a reason.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/frame_capture_layout.h"
#include "results/frame_times.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<FrameCapture> capture = DecodeFrameCapture(bytes);
    if (capture) {
        FUZZ_CHECK(kFrameCaptureHeaderBytes + 8 * capture->stamps.size() <= bytes.size());
        FUZZ_CHECK(capture->frequency >= 0);
        for (std::size_t i = 1; i < capture->stamps.size(); ++i) FUZZ_CHECK(capture->stamps[i - 1] <= capture->stamps[i]);
    }
    // The game's result line as a scored run gives it: about as many frames as the capture
    // holds, and seconds that agree with short captures or not, chosen by the input's size.
    const long held = capture && !capture->stamps.empty() ? static_cast<long>(capture->stamps.size()) - 1 : 0;
    RunRecord run;
    run.ended = RunEnd::Scored;
    run.score = 60.0;
    run.scoreText = "60.0";
    run.evidence.frames = std::max(1L, held - static_cast<long>(size % 3));
    run.evidence.secondsText = size % 2 ? "0.1" : "12.5";
    const RunFrameTimes times = FrameTimesOfRun(capture, run);
    FUZZ_CHECK(times.figures.has_value() == times.missingReason.empty());
    if (!times.figures) {
        FUZZ_CHECK(times.frameTimesMs.empty() && !times.mismatch);
        return 0;
    }
    const FrameTimeFigures& f = *times.figures;
    FUZZ_CHECK(f.frames == static_cast<long>(times.frameTimesMs.size()) && f.frames == *run.evidence.frames);
    for (double value : {f.averageFps, f.p99Ms, f.p999Ms, f.low1Fps, f.low01Fps, f.worstMs, f.stddevMs}) {
        FUZZ_CHECK(std::isfinite(value) && value >= 0);
    }
    FUZZ_CHECK(f.p99Ms <= f.p999Ms && f.p999Ms <= f.worstMs && f.low01Fps <= f.low1Fps);
    FUZZ_CHECK(f.stutters >= 0 && f.stutters < f.frames);
    return 0;
}
