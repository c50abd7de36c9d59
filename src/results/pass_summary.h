#pragma once
#include <optional>
#include <string>
#include <vector>

#include "results/run_record.h"

// One pass as its result_<stamp>.json file describes it. Texts stay UTF-8 as the file holds
// them: the comparison page is UTF-8 too, and the window converts what it shows.

struct RunSummary {
    int run = 0;
    bool warmUp = false;
    std::string ended;  // "scored", "noScore", "timeLimit"
    std::optional<double> score;
    std::optional<double> frames;
    std::optional<double> seconds;
    std::vector<RunFlag> flags;  // as the run's record has them, the text in UTF-8
    std::optional<FrameTimeFigures> frameTimes;  // when the pass recorded this run's frames
    std::string frameTimesFile;  // its capture CSV's name beside the data file (UTF-8)
};

struct ResolutionSummary {
    std::string key;
    std::string label;
    int width = 0;
    int height = 0;
    std::vector<RunSummary> runs;
    std::optional<double> mean;    // of the scored runs after the warm-up
    std::optional<double> stddev;  // only with two scored runs or more
    std::optional<FrameTimeFigures> frameTimes;  // the counted runs' frames together
};

struct LabelledValue {
    std::string label;
    std::string value;
};

struct PassSummary {
    std::string program;
    std::string started;  // "2026-12-10T13:26:14+01:00"
    long long startedUtcSeconds = 0;  // for ordering passes taken in different time zones
    std::string report;   // the HTML report's file name, beside the data file
    std::string note;
    std::string computerName;  // empty in files that do not name the PC
    std::vector<LabelledValue> machine;
    // The options in the order the file lists them, as texts ("runs": "3", "warmUp": "yes").
    std::vector<LabelledValue> options;
    std::string demo;
    std::string shader;
    int runs = 0;
    std::vector<ResolutionSummary> resolutions;

    bool HasFlaggedRun() const;
    const ResolutionSummary* Resolution(const std::string& key) const;
};

// Every resolution that any of the passes ran, once by key, smallest picture first.
struct ResolutionColumn {
    std::string key;
    std::string label;
};
std::vector<ResolutionColumn> ResolutionsOf(const std::vector<const PassSummary*>& passes);

// A number with a fixed count of decimals and the given decimal separator.
std::string DecimalText(double value, int decimals, char separator);

// "2026-12-10 13:26:14": the date and time of a pass start as its machine's clock showed it.
std::string LocalStartText(const std::string& started);
