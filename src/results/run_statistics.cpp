#include "results/run_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const char kRedOpen[] = "<FONT size=2 color=\"#FF0000\">";

std::string RunText(const RunRecord& run) {
    if (run.warmUp) {
        return (run.score ? run.scoreText : std::string("no score")) + " (warm-up, not counted)";
    }
    if (run.ended == RunEnd::TimeLimit) return "run " + std::to_string(run.run) + " ended by the time limit (left out)";
    if (!run.score) return "run " + std::to_string(run.run) + " no score (left out)";
    return run.scoreText;
}

}  // namespace

std::optional<double> ScoreValue(const std::string& scoreText) {
    int digits = 0;
    int points = 0;
    for (char c : scoreText) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) return std::nullopt;
    const double value = std::strtod(scoreText.c_str(), nullptr);
    if (value > kLargestScore) return std::nullopt;
    return value;
}

std::string FixedText(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    // snprintf follows the C locale, which the program never changes: the point stays.
    return text;
}

RunStatistics ComputeStatistics(const std::vector<RunRecord>& runs) {
    RunStatistics stats;
    for (const RunRecord& run : runs) {
        if (!run.warmUp && run.score) stats.scores.push_back(*run.score);
    }
    if (stats.scores.empty()) return stats;
    double sum = 0;
    for (double s : stats.scores) sum += s;
    const double n = static_cast<double>(stats.scores.size());
    stats.mean = sum / n;
    stats.min = *std::min_element(stats.scores.begin(), stats.scores.end());
    stats.max = *std::max_element(stats.scores.begin(), stats.scores.end());
    if (stats.scores.size() < 2) return stats;
    double squares = 0;
    for (double s : stats.scores) squares += (s - *stats.mean) * (s - *stats.mean);
    stats.stddev = std::sqrt(squares / (n - 1));
    if (*stats.mean > 0) {
        stats.relativePercent = *stats.stddev / *stats.mean * 100.0;
        stats.unsteady = *stats.relativePercent > kUnsteadyPercent;
    }
    return stats;
}

std::string StatisticsLine(const std::vector<RunRecord>& runs, const RunStatistics& stats) {
    std::string text = "Runs: ";
    for (std::size_t i = 0; i < runs.size(); ++i) text += (i ? ", " : "") + RunText(runs[i]);
    if (!stats.mean) {
        text += "; no run gave a score";
    } else {
        text += "; mean " + FixedText(*stats.mean, 1);
        if (stats.stddev) {
            text += ", standard deviation " + FixedText(*stats.stddev, 2);
            if (stats.relativePercent) text += " (" + FixedText(*stats.relativePercent, 1) + " %)";
        }
        text += ", min " + FixedText(stats.min, 1) + ", max " + FixedText(stats.max, 1);
    }
    return "<FONT size=2>" + text + "</FONT><br>";
}

std::string UnsteadyLine(const RunStatistics& stats) {
    if (!stats.unsteady) return "";
    return kRedOpen + ("Unsteady result: the runs spread by " + FixedText(*stats.relativePercent, 1) +
                       " % of the mean (more than 3 %). Close other programs, let the machine settle and run "
                       "again with more runs per resolution.") +
           "</FONT><br>";
}

std::string FlagLine(const std::string& text) { return kRedOpen + text + "</FONT><br>"; }

std::string FlagLineText(const RunRecord& run, const RunFlag& flag, bool severalRuns) {
    if (!severalRuns) return flag.text;
    return (run.warmUp ? std::string("Warm-up run: ") : "Run " + std::to_string(run.run) + ": ") + flag.text;
}
