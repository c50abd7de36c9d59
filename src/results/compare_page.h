#pragma once
#include <map>
#include <string>
#include <vector>

#include "results/frame_time_charts.h"
#include "results/pass_summary.h"

// The comparison page of passes: one self-contained UTF-8 HTML file (inline CSS and SVG, no
// script, nothing fetched), lines ended by CR LF. The first pass is the one the differences
// in % refer to. `frames` holds each pass's frame-time lines by resolution key, in the order of
// the passes (or nothing): a resolution where any pass has lines gets the frame-time charts.
using PassFrameLines = std::map<std::string, FrameTimeLines>;
std::string BuildComparePage(const std::vector<const PassSummary*>& passes, char decimalSeparator,
                             const std::vector<PassFrameLines>& frames = {});

// "compare_" + the file stamp + ".htm"
std::string ComparePageFileName(const std::string& fileStamp);

// Text made safe inside HTML elements and quoted attribute values.
std::string EscapeHtml(const std::string& text);
