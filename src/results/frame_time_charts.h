#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The comparison page's frame-time charts of one resolution: frame time over the demo's time
// and frame time against percentile, one line per pass, as inline SVG.

struct PlotPoint {
    double x = 0;
    double y = 0;
};

// What the page draws of one pass at one resolution.
struct FrameTimeLines {
    std::vector<PlotPoint> overTime;      // (s since the first frame began, ms): one run
    std::vector<PlotPoint> byPercentile;  // (%, ms): the runs together
    std::string problem;  // why a line is missing or incomplete, for the legend; empty when all is drawn
    bool Drawn() const { return !overTime.empty(); }
};

// Frame times as points over the demo's time. A longer run is cut into `buckets` stretches of
// consecutive frames, each giving its shortest and its longest frame in the order they came:
// the line keeps every spike and the level between them, in at most 2 x buckets points.
std::vector<PlotPoint> FrameTimeOverTime(const std::vector<double>& frameTimesMs, std::size_t buckets);

// The frame time at percentiles from 50 % to 99.9 % (nearest rank), spaced evenly on the
// chart's scale of "nines", so that the tail gets as much room as the middle.
std::vector<PlotPoint> FrameTimePercentiles(std::vector<double> frameTimesMs);

// One pass's entry in the charts: its label as the bars show it and its lines.
struct ChartedPass {
    std::string label;                      // UTF-8, not yet escaped
    const FrameTimeLines* lines = nullptr;  // none: the pass recorded no frame times here
};

// The section of one resolution (HTML lines): a legend naming each pass, or why it has no
// line, and the two charts. Numbers on the axes use the decimal separator.
std::vector<std::string> FrameTimeChartsSection(const std::string& resolutionLabel,
                                                const std::vector<ChartedPass>& passes, char decimalSeparator);

// The page's style for the charts and the 1 % low (CSS lines), light and dark.
void AppendFrameTimeChartsStyle(std::vector<std::string>& out);
