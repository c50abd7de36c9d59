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

// "2026-12-10T13:26:14+01:00" (or with "Z") as seconds since 1970 in UTC; empty when the
// text has another form or an impossible date.
std::optional<long long> UtcSecondsOf(const std::string& isoTime);
