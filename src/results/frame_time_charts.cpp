#include "results/frame_time_charts.h"

#include <algorithm>
#include <cmath>

#include "results/compare_page.h"
#include "results/pass_summary.h"

namespace {

// One unit a CSS pixel at full size, as the bar charts; the plot area leaves room for the
// axes' numbers on the left and below.
constexpr double kWidth = 760;
constexpr double kHeight = 236;
constexpr double kLeft = 58;
constexpr double kRight = 726;  // room for the last number, centred on its tick
constexpr double kTop = 16;     // room for the top number in the larger type of a narrow page
constexpr double kBottom = 204;
constexpr int kPassColours = 8;

// The percentile axis runs from 50 % to 99.9 % on a scale of nines: -log10(1 - p).
constexpr double kLowestPercentile = 50;
constexpr double kHighestPercentile = 99.9;
constexpr int kPercentilePoints = 120;
const double kPercentileTicks[] = {50, 75, 90, 99, 99.9};

double Nines(double percent) { return -std::log10(1 - percent / 100); }

std::string Coordinate(double value) { return DecimalText(value, 1, '.'); }

// A step of 1, 2, 2.5 or 5 times a power of ten that cuts 0..top into at most `ticks` parts.
double NiceStep(double top, int ticks) {
    const double raw = top / ticks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 2.5, 5.0}) {
        if (m * magnitude >= raw) return m * magnitude;
    }
    return 10 * magnitude;
}

// The fewest decimals that show the value exactly (up to three).
int DecimalsOf(double value) {
    int decimals = 0;
    for (double scaled = value; decimals < 3 && std::fabs(scaled - std::round(scaled)) > 1e-6; scaled *= 10) {
        ++decimals;
    }
    return decimals;
}

struct Axis {
    double top = 1;
    double step = 1;
};

// From 0 to the largest value rounded up to a whole step.
Axis AxisUpTo(double largest) {
    if (!(largest > 0)) return {};
    const double step = NiceStep(largest, 5);
    return {std::ceil(largest / step - 1e-9) * step, step};
}

int Steps(const Axis& axis) { return static_cast<int>(std::lround(axis.top / axis.step)); }

double PlotY(double ms, const Axis& axis) { return kBottom - ms / axis.top * (kBottom - kTop); }

std::string PassClass(std::size_t index) { return "pass" + std::to_string(index % kPassColours); }

std::string Text(double x, double y, const std::string& anchor, const std::string& text) {
    return "<text class=\"tick\" x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(y) + "\" text-anchor=\"" + anchor +
           "\">" + EscapeHtml(text) + "</text>";
}

// The frame-time axis: grid lines with their numbers.
void AppendFrameTimeAxis(std::vector<std::string>& out, const Axis& axis, char separator) {
    const int decimals = DecimalsOf(axis.step);
    for (int k = 0; k <= Steps(axis); ++k) {
        const double ms = k * axis.step;
        const double y = PlotY(ms, axis);
        out.push_back("<path class=\"grid\" d=\"M" + Coordinate(kLeft) + " " + Coordinate(y) + "H" +
                      Coordinate(kRight) + "\"/>");
        out.push_back(Text(kLeft - 6, y + 4, "end", DecimalText(ms, decimals, separator) + " ms"));
    }
}

void AppendXTick(std::vector<std::string>& out, double x, const std::string& label) {
    out.push_back("<path class=\"axis\" d=\"M" + Coordinate(x) + " " + Coordinate(kBottom) + "v5\"/>");
    out.push_back(Text(x, kBottom + 20, "middle", label));
}

template <typename ToX>
std::string Polyline(std::size_t pass, const std::vector<PlotPoint>& points, ToX toX, const Axis& yAxis) {
    std::string line =
        "<polyline class=\"" + PassClass(pass) + "\" data-pass=\"" + std::to_string(pass) + "\" points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) line += ' ';
        line += Coordinate(toX(points[i].x)) + "," + Coordinate(PlotY(points[i].y, yAxis));
    }
    return line + "\"/>";
}

double SecondsX(double seconds, double topSeconds) { return kLeft + seconds / topSeconds * (kRight - kLeft); }

double PercentileX(double percent) {
    const double low = Nines(kLowestPercentile);
    return kLeft + (Nines(percent) - low) / (Nines(kHighestPercentile) - low) * (kRight - kLeft);
}

void OpenPlot(std::vector<std::string>& out, const std::string& kind, const std::string& title) {
    out.push_back("<h3>" + EscapeHtml(title) + "</h3>");
    out.push_back("<svg class=\"plot " + kind + "\" viewBox=\"0 0 " + Coordinate(kWidth) + " " + Coordinate(kHeight) +
                  "\" role=\"img\" aria-label=\"" + EscapeHtml(title) + "\">");
}

void ClosePlot(std::vector<std::string>& out) {
    out.push_back("<path class=\"axis\" d=\"M" + Coordinate(kLeft) + " " + Coordinate(kTop) + "V" +
                  Coordinate(kBottom) + "H" + Coordinate(kRight) + "\"/>");
    out.push_back("</svg>");
}

double Largest(const std::vector<ChartedPass>& passes, std::vector<PlotPoint> FrameTimeLines::*line,
               double PlotPoint::*coordinate) {
    double largest = 0;
    for (const ChartedPass& pass : passes) {
        if (!pass.lines) continue;
        for (const PlotPoint& p : (*pass.lines).*line) largest = std::max(largest, p.*coordinate);
    }
    return largest;
}

void AppendOverTime(std::vector<std::string>& out, const std::vector<ChartedPass>& passes, char separator) {
    OpenPlot(out, "overtime", "Frame time over the demo's time (first counted run of each pass)");
    const Axis yAxis = AxisUpTo(Largest(passes, &FrameTimeLines::overTime, &PlotPoint::y));
    const Axis xAxis = AxisUpTo(Largest(passes, &FrameTimeLines::overTime, &PlotPoint::x));
    AppendFrameTimeAxis(out, yAxis, separator);
    const int decimals = DecimalsOf(xAxis.step);
    for (int k = 0; k <= Steps(xAxis); ++k) {
        const double s = k * xAxis.step;
        AppendXTick(out, SecondsX(s, xAxis.top), DecimalText(s, decimals, separator) + " s");
    }
    for (std::size_t i = 0; i < passes.size(); ++i) {
        if (passes[i].lines && passes[i].lines->Drawn()) {
            out.push_back(Polyline(
                i, passes[i].lines->overTime, [&](double s) { return SecondsX(s, xAxis.top); }, yAxis));
        }
    }
    ClosePlot(out);
}

void AppendByPercentile(std::vector<std::string>& out, const std::vector<ChartedPass>& passes, char separator) {
    OpenPlot(out, "percentiles", "Frame time by percentile (all counted runs of each pass)");
    const Axis yAxis = AxisUpTo(Largest(passes, &FrameTimeLines::byPercentile, &PlotPoint::y));
    AppendFrameTimeAxis(out, yAxis, separator);
    for (const double percent : kPercentileTicks) {
        AppendXTick(out, PercentileX(percent), DecimalText(percent, DecimalsOf(percent), separator) + " %");
    }
    for (std::size_t i = 0; i < passes.size(); ++i) {
        if (passes[i].lines && passes[i].lines->Drawn()) {
            out.push_back(Polyline(i, passes[i].lines->byPercentile, PercentileX, yAxis));
        }
    }
    ClosePlot(out);
}

// HTML rather than SVG, so that a long label or reason wraps on a narrow page. A pass without a
// line keeps an empty swatch, so that the labels stay in line.
void AppendLegend(std::vector<std::string>& out, const std::vector<ChartedPass>& passes) {
    out.push_back("<ul class=\"passes\">");
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const ChartedPass& pass = passes[i];
        const bool drawn = pass.lines && pass.lines->Drawn();
        std::string item = "<li><svg class=\"swatch\" viewBox=\"0 0 26 8\" aria-hidden=\"true\">";
        if (drawn) item += "<path class=\"" + PassClass(i) + "\" d=\"M0 4H26\"/>";
        item += "</svg>" + EscapeHtml(pass.label);
        const std::string problem = !pass.lines ? "no frame times recorded" : pass.lines->problem;
        if (!problem.empty())
            item += " <span class=\"muted\">\xE2\x80\x94 " + EscapeHtml(problem) + "</span>";  // an em dash
        out.push_back(item + "</li>");
    }
    out.push_back("</ul>");
}

}  // namespace

std::vector<PlotPoint> FrameTimeOverTime(const std::vector<double>& frameTimesMs, std::size_t buckets) {
    buckets = std::max<std::size_t>(buckets, 1);
    const std::size_t n = frameTimesMs.size();
    const std::size_t size = n <= 2 * buckets ? 1 : (n + buckets - 1) / buckets;
    std::vector<PlotPoint> points;
    double seconds = 0;
    for (std::size_t start = 0; start < n; start += size) {
        const std::size_t end = std::min(n, start + size);
        PlotPoint shortest{0, frameTimesMs[start]};
        PlotPoint longest = shortest;
        std::size_t shortestAt = start;
        std::size_t longestAt = start;
        for (std::size_t i = start; i < end; ++i) {
            seconds += frameTimesMs[i] / 1000;
            if (i == start || frameTimesMs[i] < shortest.y) {
                shortest = {seconds, frameTimesMs[i]};
                shortestAt = i;
            }
            if (i == start || frameTimesMs[i] > longest.y) {
                longest = {seconds, frameTimesMs[i]};
                longestAt = i;
            }
        }
        if (shortestAt != longestAt) points.push_back(shortestAt < longestAt ? shortest : longest);
        points.push_back(shortestAt < longestAt ? longest : shortest);
    }
    return points;
}

std::vector<PlotPoint> FrameTimePercentiles(std::vector<double> frameTimesMs) {
    std::vector<PlotPoint> points;
    if (frameTimesMs.empty()) return points;
    std::sort(frameTimesMs.begin(), frameTimesMs.end());
    const double n = static_cast<double>(frameTimesMs.size());
    const double low = Nines(kLowestPercentile);
    const double high = Nines(kHighestPercentile);
    for (int k = 0; k < kPercentilePoints; ++k) {
        const double nines = low + (high - low) * k / (kPercentilePoints - 1);
        const double percent = k == kPercentilePoints - 1 ? kHighestPercentile : 100 * (1 - std::pow(10.0, -nines));
        // Nearest rank: the smallest frame time that at least `percent` of the frames reach.
        const double rank = std::min(n, std::max(1.0, std::ceil(percent / 100 * n - 1e-9)));
        points.push_back({percent, frameTimesMs[static_cast<std::size_t>(rank) - 1]});
    }
    return points;
}

std::vector<std::string> FrameTimeChartsSection(const std::string& resolutionLabel,
                                                const std::vector<ChartedPass>& passes, char decimalSeparator) {
    std::vector<std::string> out;
    out.push_back("<section class=\"frames\">");
    out.push_back("<h2>" + EscapeHtml(resolutionLabel) + ": frame times</h2>");
    AppendLegend(out, passes);
    if (std::any_of(passes.begin(), passes.end(), [](const ChartedPass& p) { return p.lines && p.lines->Drawn(); })) {
        AppendOverTime(out, passes, decimalSeparator);
        AppendByPercentile(out, passes, decimalSeparator);
    }
    out.push_back("</section>");
    return out;
}

void AppendFrameTimeChartsStyle(std::vector<std::string>& out) {
    static const char* const kStyle[] = {
        ":root { --pass0: #1f5fae; --pass1: #c2410c; --pass2: #15803d; --pass3: #9333ea; --pass4: #a16207;",
        "  --pass5: #0e7490; --pass6: #be185d; --pass7: #4b5563; }",
        "@media (prefers-color-scheme: dark) {",
        "  :root { --pass0: #6aa8f0; --pass1: #fb923c; --pass2: #4ade80; --pass3: #c084fc; --pass4: #facc15;",
        "    --pass5: #22d3ee; --pass6: #f472b6; --pass7: #cbd5e1; }",
        "}",
        "h3 { font-size: 14px; font-weight: normal; margin: 10px 0 2px; }",
        "svg.plot polyline { fill: none; stroke-width: 1.2; stroke-linejoin: round; }",
        "ul.passes { list-style: none; padding: 0; margin: 4px 0; font-size: 13px; }",
        "ul.passes li { margin: 2px 0; padding-left: 34px; text-indent: -34px; }",
        "svg.swatch { display: inline-block; width: 26px; height: 8px; margin-right: 8px; vertical-align: middle; }",
        "svg.swatch path { stroke-width: 3; } ul.passes .muted { color: var(--muted); font-style: italic; }",
        ".grid { stroke: var(--line); stroke-width: 0.6; } .axis { stroke: var(--muted); fill: none; }",
        "svg text.tick { fill: var(--muted); }",
        ".pass0 { stroke: var(--pass0); } .pass1 { stroke: var(--pass1); } .pass2 { stroke: var(--pass2); }",
        ".pass3 { stroke: var(--pass3); } .pass4 { stroke: var(--pass4); } .pass5 { stroke: var(--pass5); }",
        ".pass6 { stroke: var(--pass6); } .pass7 { stroke: var(--pass7); }",
        ".low1 { fill: var(--low1); }",
        ":root { --low1: #123a6b; } @media (prefers-color-scheme: dark) { :root { --low1: #d6e6fb; } }",
    };
    out.insert(out.end(), std::begin(kStyle), std::end(kStyle));
}
