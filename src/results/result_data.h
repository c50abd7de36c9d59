#pragma once
#include <string>
#include <utility>
#include <vector>

#include "results/run_record.h"

// The pass's results as data beside the report: result_<stamp>.json (the whole pass, UTF-8
// without byte-order mark) and rows of "Lurkmark results.csv" (UTF-8 with a byte-order mark,
// RFC 4180, "." as decimal point). docs/result-format.md describes both.

constexpr const char* kResultsCsvName = "Lurkmark results.csv";
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

std::string ResultJson(const PassRecord& pass);

// "result_<stamp>.htm" -> "result_<stamp>.json".
std::string DataFileNameOf(const std::string& reportFileName);

// The header row and one row per run of the resolution, each ended by CR LF.
std::string CsvHeaderRow();
std::string CsvRows(const PassRecord& pass, const ResolutionRecord& resolution);
// One field, quoted when it holds a quote, a comma or a line break.
std::string CsvField(const std::string& utf8);

// The machine description of a report: every info line before the separator "<hr>", as
// label without its colon and value (code page 1252, as the report holds them).
std::vector<std::pair<std::string, std::string>> MachineLinesOf(const std::vector<std::string>& reportLines);
