#include "results/compare_page.h"

#include <algorithm>
#include <cmath>

#include "results/frame_time_charts.h"

namespace {

// The chart's coordinate system, one unit a CSS pixel at full size. The SVG shrinks with a
// narrow page (high zoom, paper) and keeps its proportions, so no bar is ever cut; its text
// then grows in units to stay readable, in the room the bars leave.
constexpr double kChartWidth = 760;
constexpr double kBarSpan = 440;
constexpr double kRowHeight = 46;
constexpr double kBarTop = 20;
constexpr double kBarHeight = 16;
constexpr double kLow1Height = 5;

const char* const kStyle[] = {
    ":root { color-scheme: light dark; --fg: #1b1b1b; --bg: #ffffff; --muted: #666666; --bar: #3a78c9;",
    "  --best: #1d8f4e; --whisker: #1b1b1b; --differs: #fff1b8; --line: #c8c8c8; }",
    "@media (prefers-color-scheme: dark) {",
    "  :root { --fg: #e6e6e6; --bg: #15171a; --muted: #a3a3a3; --bar: #5c9ded; --best: #3fcf7f;",
    "    --whisker: #f0f0f0; --differs: #4d4212; --line: #4a4a4a; }",
    "}",
    "body { font-family: \"Segoe UI\", Tahoma, Arial, sans-serif; color: var(--fg); background: var(--bg);",
    "  margin: 16px auto; padding: 0 16px; max-width: 980px; }",
    "h1 { font-size: 22px; } h2 { font-size: 17px; margin: 18px 0 4px; }",
    "p.legend { color: var(--muted); font-size: 13px; }",
    "svg { display: block; width: 100%; max-width: 760px; height: auto; }",
    "svg text { fill: var(--fg); font-size: 12px; }",
    "@media (max-width: 600px) { svg text { font-size: 16px; } }",
    "svg text.muted { fill: var(--muted); font-style: italic; }",
    "svg text.best { fill: var(--best); font-weight: bold; }",
    ".bar { fill: var(--bar); } .bar.best { fill: var(--best); }",
    ".whisker { stroke: var(--whisker); stroke-width: 1.5; }",
    "table { border-collapse: collapse; width: 100%; font-size: 13px; margin-top: 8px; }",
    "th, td { border: 1px solid var(--line); padding: 3px 6px; text-align: left; vertical-align: top; }",
    "tr.differs th, tr.differs td { background: var(--differs); }",
    "@page { size: A4; margin: 12mm; }",
    "@media print { body { max-width: none; margin: 0; padding: 0; } section, tr { break-inside: avoid; } }",
};

std::string Number(double value, char separator) { return DecimalText(value, 1, separator); }

// Attribute values are written with "." whatever the locale: they are SVG coordinates.
std::string Coordinate(double value) { return DecimalText(value, 2, '.'); }

constexpr const char* kUnnamedComputer = "computer not named";
constexpr const char* kLeftToTheGame = "the game's own setting";

// Passes from several PCs are told apart by the PC's name; passes from one PC, or from files
// that name none, keep the page as it always was.
bool FromSeveralComputers(const std::vector<const PassSummary*>& passes) {
    return std::any_of(passes.begin(), passes.end(),
                       [&](const PassSummary* p) { return p->computerName != passes.front()->computerName; });
}

std::string ComputerOf(const PassSummary& pass) {
    return pass.computerName.empty() ? kUnnamedComputer : pass.computerName;
}

std::string PassLabel(const PassSummary& pass, bool withComputer) {
    std::string label = withComputer ? ComputerOf(pass) + " \xC2\xB7 " : "";
    label += LocalStartText(pass.started);
    if (!pass.note.empty()) label += " \xC2\xB7 " + pass.note;  // a middle dot
    if (pass.HasFlaggedRun()) label += " (flagged run)";
    return label;
}

std::string PercentText(double value, double reference, char separator) {
    const double percent = (value - reference) / reference * 100.0;
    const double shown = std::round(percent * 10.0) / 10.0;
    return (shown > 0 ? "+" : shown < 0 ? "\xE2\x88\x92" : "\xC2\xB1") + Number(std::fabs(shown), separator) + " %";
}

bool RecordedFrameTimes(const std::vector<const PassSummary*>& passes) {
    return std::any_of(passes.begin(), passes.end(), [](const PassSummary* p) {
        return std::any_of(p->resolutions.begin(), p->resolutions.end(),
                           [](const ResolutionSummary& r) { return r.frameTimes.has_value(); });
    });
}

// The 1 % low inside the bar, along its lower edge, on the bar's scale.
void AppendLow1(std::vector<std::string>& out, const FrameTimeFigures& figures, double scale, double barY) {
    out.push_back("<rect class=\"low1\" data-low1=\"" + DecimalText(figures.low1Fps, 3, '.') + "\" x=\"0\" y=\"" +
                  Coordinate(barY + kBarHeight - kLow1Height) + "\" width=\"" + Coordinate(figures.low1Fps * scale) +
                  "\" height=\"" + Coordinate(kLow1Height) + "\"/>");
}

void AppendChart(std::vector<std::string>& out, const ResolutionColumn& heading,
                 const std::vector<const PassSummary*>& passes, bool withComputer, char separator) {
    double extent = 0;
    double best = 0;
    for (const PassSummary* pass : passes) {
        const ResolutionSummary* r = pass->Resolution(heading.key);
        if (!r || !r->mean) continue;
        extent = std::max(extent, *r->mean + r->stddev.value_or(0));
        if (r->frameTimes) extent = std::max(extent, r->frameTimes->low1Fps);
        best = std::max(best, *r->mean);
    }
    const double scale = extent > 0 ? kBarSpan / extent : 0;
    const ResolutionSummary* first = passes.front()->Resolution(heading.key);
    const bool withPercent = first && first->mean && *first->mean > 0;

    out.push_back("<section>");
    out.push_back("<h2>" + EscapeHtml(heading.label) + "</h2>");
    const double height = kRowHeight * static_cast<double>(passes.size()) + 4;
    out.push_back("<svg viewBox=\"0 0 " + Coordinate(kChartWidth) + " " + Coordinate(height) +
                  "\" role=\"img\" aria-label=\"" + EscapeHtml(heading.label) + "\">");
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const PassSummary& pass = *passes[i];
        const double top = kRowHeight * static_cast<double>(i);
        const double barY = top + kBarTop;
        const double textY = barY + kBarHeight - 3;
        out.push_back("<text x=\"0\" y=\"" + Coordinate(top + 13) + "\">" + EscapeHtml(PassLabel(pass, withComputer)) +
                      "</text>");
        const ResolutionSummary* r = pass.Resolution(heading.key);
        if (!r || !r->mean) {
            out.push_back("<text class=\"muted\" x=\"0\" y=\"" + Coordinate(textY) + "\">" +
                          (r ? "No Score" : "not run") + "</text>");
            continue;
        }
        const double mean = *r->mean;
        const bool isBest = best > 0 && mean == best;
        const double width = mean * scale;
        out.push_back("<rect class=\"bar" + std::string(isBest ? " best" : "") + "\" data-score=\"" +
                      DecimalText(mean, 3, '.') + "\" x=\"0\" y=\"" + Coordinate(barY) + "\" width=\"" +
                      Coordinate(width) + "\" height=\"" + Coordinate(kBarHeight) + "\"/>");
        if (r->frameTimes) AppendLow1(out, *r->frameTimes, scale, barY);
        double end = width;
        if (r->stddev && *r->stddev > 0) {
            const double low = std::max(0.0, mean - *r->stddev) * scale;
            const double high = (mean + *r->stddev) * scale;
            const double mid = barY + kBarHeight / 2;
            out.push_back("<path class=\"whisker\" d=\"M" + Coordinate(low) + " " + Coordinate(mid) + "H" +
                          Coordinate(high) + "M" + Coordinate(low) + " " + Coordinate(barY + 3) + "V" +
                          Coordinate(barY + kBarHeight - 3) + "M" + Coordinate(high) + " " + Coordinate(barY + 3) +
                          "V" + Coordinate(barY + kBarHeight - 3) + "\"/>");
            end = std::max(end, high);
        }
        std::string value = Number(mean, separator) + " FPS";
        if (r->stddev) value += " \xC2\xB1 " + Number(*r->stddev, separator);
        if (withPercent && i > 0) value += "  " + PercentText(mean, *first->mean, separator);
        if (r->frameTimes) value += "  1 % low " + Number(r->frameTimes->low1Fps, separator);
        out.push_back("<text x=\"" + Coordinate(end + 6) + "\" y=\"" + Coordinate(textY) +
                      "\" xml:space=\"preserve\">" + EscapeHtml(value) +
                      (isBest ? "  <tspan class=\"best\">\xE2\x98\x85 best</tspan>" : "") + "</text>");
    }
    out.push_back("</svg>");
    out.push_back("</section>");
}

std::string ScoreCell(const PassSummary& pass, const std::string& key, char separator) {
    const ResolutionSummary* r = pass.Resolution(key);
    if (!r) return "not run";
    if (!r->mean) return "No Score";
    std::string text = Number(*r->mean, separator) + " FPS";
    if (r->stddev) text += " \xC2\xB1 " + Number(*r->stddev, separator);
    return text;
}

std::string FlagsCell(const PassSummary& pass) {
    std::string text;
    for (const ResolutionSummary& r : pass.resolutions) {
        for (const RunSummary& run : r.runs) {
            for (const RunFlag& flag : run.flags) {
                // Each item a sentence of its own: flag texts end with their own full stop.
                const bool ended = !flag.text.empty() && flag.text.back() == '.';
                text += (text.empty() ? "" : " ") + r.label + ", run " + std::to_string(run.run) + ": " + flag.text +
                        (ended ? "" : ".");
            }
        }
    }
    return text.empty() ? "none" : text;
}

std::string ValueOf(const std::vector<LabelledValue>& values, const std::string& label) {
    for (const LabelledValue& v : values) {
        if (v.label == label) return v.value;
    }
    return "";
}

// An option the pass did not set (a batch line without its switch, or no choice in the
// window) was left to the game: the game ran with the value its own configuration held.
std::string OptionCell(const PassSummary& pass, const std::string& label) {
    const std::string value = ValueOf(pass.options, label);
    return value.empty() ? kLeftToTheGame : value;
}

// Labels in the order they first appear in any pass.
std::vector<std::string> LabelsOf(const std::vector<const PassSummary*>& passes,
                                  std::vector<LabelledValue> PassSummary::*list) {
    std::vector<std::string> labels;
    for (const PassSummary* pass : passes) {
        for (const LabelledValue& v : pass->*list) {
            if (std::find(labels.begin(), labels.end(), v.label) == labels.end()) labels.push_back(v.label);
        }
    }
    return labels;
}

void AppendRow(std::vector<std::string>& out, const std::string& label, const std::vector<std::string>& values) {
    const bool differs =
        std::any_of(values.begin(), values.end(), [&](const std::string& v) { return v != values[0]; });
    std::string row = differs ? "<tr class=\"differs\">" : "<tr>";
    row += "<th>" + EscapeHtml(label) + "</th>";
    for (const std::string& v : values) row += "<td>" + EscapeHtml(v) + "</td>";
    out.push_back(row + "</tr>");
}

void AppendTable(std::vector<std::string>& out, const std::vector<const PassSummary*>& passes,
                 const std::vector<ResolutionColumn>& resolutions, bool withComputer, char separator) {
    auto each = [&](auto valueOf) {
        std::vector<std::string> values;
        for (const PassSummary* pass : passes) values.push_back(valueOf(*pass));
        return values;
    };
    out.push_back("<h2>The passes side by side</h2>");
    out.push_back("<table>");
    std::string head = "<tr><th></th>";
    for (const PassSummary* pass : passes) head += "<th>" + EscapeHtml(LocalStartText(pass->started)) + "</th>";
    out.push_back(head + "</tr>");
    if (withComputer) AppendRow(out, "Computer", each(ComputerOf));
    AppendRow(out, "Note", each([](const PassSummary& p) { return p.note; }));
    AppendRow(out, "Program version", each([](const PassSummary& p) { return p.program; }));
    for (const std::string& label : LabelsOf(passes, &PassSummary::machine)) {
        AppendRow(out, label, each([&](const PassSummary& p) { return ValueOf(p.machine, label); }));
    }
    for (const std::string& label : LabelsOf(passes, &PassSummary::options)) {
        AppendRow(out, label, each([&](const PassSummary& p) { return OptionCell(p, label); }));
    }
    for (const ResolutionColumn& r : resolutions) {
        AppendRow(out, r.label, each([&](const PassSummary& p) { return ScoreCell(p, r.key, separator); }));
    }
    AppendRow(out, "Flagged runs", each(FlagsCell));
    out.push_back("</table>");
}

void AppendFrameTimeCharts(std::vector<std::string>& out, const ResolutionColumn& heading,
                           const std::vector<const PassSummary*>& passes, const std::vector<PassFrameLines>& frames,
                           bool withComputer, char separator) {
    std::vector<ChartedPass> charted;
    bool any = false;
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const FrameTimeLines* lines = nullptr;
        if (i < frames.size()) {
            const auto found = frames[i].find(heading.key);
            if (found != frames[i].end()) lines = &found->second;
        }
        any = any || lines;
        charted.push_back({PassLabel(*passes[i], withComputer), lines});
    }
    if (!any) return;
    const std::vector<std::string> section = FrameTimeChartsSection(heading.label, charted, separator);
    out.insert(out.end(), section.begin(), section.end());
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string ComparePageFileName(const std::string& fileStamp) { return "compare_" + fileStamp + ".htm"; }

std::string BuildComparePage(const std::vector<const PassSummary*>& passes, char decimalSeparator,
                             const std::vector<PassFrameLines>& frames) {
    std::vector<std::string> out = {"<!DOCTYPE html>",
                                    "<html lang=\"en\">",
                                    "<head>",
                                    "<meta charset=\"utf-8\">",
                                    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
                                    "<title>Lurkmark comparison</title>",
                                    "<style>"};
    out.insert(out.end(), std::begin(kStyle), std::end(kStyle));
    const bool withFrameTimes =
        RecordedFrameTimes(passes) ||
        std::any_of(frames.begin(), frames.end(), [](const PassFrameLines& f) { return !f.empty(); });
    if (withFrameTimes) AppendFrameTimeChartsStyle(out);
    out.push_back("</style>");
    out.push_back("</head>");
    out.push_back("<body>");
    out.push_back("<h1>Lurkmark comparison</h1>");
    if (!passes.empty()) {
        const bool withComputer = FromSeveralComputers(passes);
        out.push_back(
            "<p class=\"legend\">Bars: mean score in FPS; whiskers: standard deviation of the runs; "
            "differences in % to the first pass, " +
            EscapeHtml(PassLabel(*passes.front(), withComputer)) + ".</p>");
        if (withFrameTimes) {
            out.push_back(
                "<p class=\"legend\">Strip along a bar's lower edge and \"1 % low\": the frame rate of the slowest 1 % "
                "of the frames (1000 / the 99th percentile frame time) of the counted runs. Frame-time charts: over "
                "the demo's time the first counted run of each pass, by percentile all counted runs of a pass "
                "together; a long run is drawn with each stretch's shortest and longest frame, so every spike "
                "shows.</p>");
        }
        const std::vector<ResolutionColumn> resolutions = ResolutionsOf(passes);
        for (const ResolutionColumn& heading : resolutions) {
            AppendChart(out, heading, passes, withComputer, decimalSeparator);
            AppendFrameTimeCharts(out, heading, passes, frames, withComputer, decimalSeparator);
        }
        AppendTable(out, passes, resolutions, withComputer, decimalSeparator);
    }
    out.push_back("</body>");
    out.push_back("</html>");
    std::string page;
    for (const std::string& line : out) page += line + "\r\n";
    return page;
}
