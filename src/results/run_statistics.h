#pragma once
#include <optional>
#include <string>
#include <vector>

#include "results/run_record.h"

// The spread of a resolution's runs: what the report's Score and statistics line say.
struct RunStatistics {
    std::vector<double> scores;            // the scored runs that count (no warm-up)
    std::optional<double> mean;            // none without a scored run
    std::optional<double> stddev;          // sample standard deviation, from two scored runs
    std::optional<double> relativePercent; // stddev as % of the mean
    double min = 0;
    double max = 0;
    bool unsteady = false;                 // relativePercent over kUnsteadyPercent
};

constexpr double kUnsteadyPercent = 3.0;

RunStatistics ComputeStatistics(const std::vector<RunRecord>& runs);

// No game renders a million frames a second: a larger figure is no measurement, and the
// data files' readers refuse it.
constexpr double kLargestScore = 1e6;

// A score text as the game prints it ("127.3", "12345.") as a number; none for anything
// else (letters, an empty text, a second point, a figure above kLargestScore).
std::optional<double> ScoreValue(const std::string& scoreText);

// A figure with the given decimals and a point, whatever the user's regional settings.
std::string FixedText(double value, int decimals);

// The report's added lines under a resolution's Score (each ends with "<br>").
std::string StatisticsLine(const std::vector<RunRecord>& runs, const RunStatistics& stats);
std::string UnsteadyLine(const RunStatistics& stats);
std::string FlagLine(const std::string& text);
// "Run 2: " before a flag's text when the resolution had more than one run.
std::string FlagLineText(const RunRecord& run, const RunFlag& flag, bool severalRuns);
