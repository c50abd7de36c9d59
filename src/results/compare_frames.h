#pragma once
#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "platform/text_file.h"
#include "results/frame_time_charts.h"
#include "results/pass_summary.h"

// The frame-time lines of one pass on the comparison page, read from the capture files that
// its data file names beside it.

// The recorder holds about a million frames, about 105 MB as a capture CSV of the game; a
// larger file is not one of ours and is not read.
constexpr unsigned long long kCaptureFileMaxBytes = 160ull << 20;
constexpr const char* kCaptureFileMaxText = "160 MB";
// Stretches of the time line: at most twice as many points per line.
constexpr std::size_t kOverTimeBuckets = 300;

using CaptureReader =
    std::function<BoundedRead(const std::string& path, unsigned long long maxBytes, std::string& bytes)>;

// Per resolution key, for the resolutions where a counted run (not the warm-up, scored)
// recorded frame times: the first such run's frames over time, all of them by percentile, and
// what could not be drawn. `folder` is the data file's, with its final separator. A capture
// name that is not a plain .csv file name in that folder is refused, never opened.
std::map<std::string, FrameTimeLines> FrameTimeLinesOfPass(const PassSummary& pass, const std::string& folder,
                                                           const CaptureReader& read);
