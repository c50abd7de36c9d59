#pragma once
#include <optional>
#include <string>

#include "results/pass_summary.h"

// Reads the text of a result_<stamp>.json file. The file is untrusted: anything that does
// not follow the format gives a reason instead of a pass, and nothing is ever written back.
struct ResultFileReading {
    std::optional<PassSummary> pass;
    std::string problem;  // set exactly when pass is empty
};

constexpr const char* kUnknownFormatVersion = "unknown format version";

ResultFileReading ReadResultFile(const std::string& jsonText);

// A name of a file beside the data file, with the given extension (".csv"): no folder, no
// drive, no stream.
bool IsPlainFileName(const std::string& name, const std::string& extension);
// The report is opened from the results folder: only a plain .htm name beside the data file.
bool IsPlainReportName(const std::string& name);

// A score or its spread as a bar can draw it: from 0 to a million.
bool IsDrawableMeasure(double value);

// "2026-12-10T13:26:14+01:00" (or with "Z") as seconds since 1970 in UTC; empty when the
// text has another form or an impossible date.
std::optional<long long> UtcSecondsOf(const std::string& isoTime);
