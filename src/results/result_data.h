#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "results/run_record.h"

// The pass's results as data beside the report: result_<stamp>.json (the whole pass, UTF-8
// without byte-order mark) and rows of "Lurkmark results.csv" (UTF-8 with a byte-order mark,
// RFC 4180, "." as decimal point). docs/result-format.md describes both.

constexpr const char* kResultsCsvName = "Lurkmark results.csv";
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

std::string ResultJson(const PassRecord& pass);

// "result_<stamp>.htm" -> "result_<stamp>.json".
std::string DataFileNameOf(const std::string& reportFileName);

// The columns a file has, each set holding the ones before: the first files' own, then the
// computer column, then the frame-time figures (1 % low, 0.1 % low, 99th percentile).
enum class CsvColumns { Original, Computer, FrameTimes };

// The header row of a file with those columns and one row per run of the resolution, each
// ended by CR LF. A file made before a column came keeps its columns.
std::string CsvHeaderRow(CsvColumns columns = CsvColumns::Computer);
std::string CsvRows(const PassRecord& pass, const ResolutionRecord& resolution, CsvColumns columns);
// What the pass appends to the results table as it is when the lock is taken: a new file gets
// the byte-order mark and the header first (with the frame-time columns when the pass records
// frame times); an existing one keeps its columns, and a last row cut short elsewhere is ended
// first, so that every row stays whole.
std::string CsvAppendBytes(const AppendedFileState& file, const PassRecord& pass, const ResolutionRecord& resolution);
// Where a pass puts its rows when the shared table stays locked: one file per PC beside it,
// "Lurkmark results <computer>.csv".
std::string SideCsvName(const std::string& computerName);
// One field, quoted when it holds a quote, a comma or a line break.
std::string CsvField(const std::string& utf8);
// A text typed by someone (the note, the computer's name, the machine description) as a cell:
// one a spreadsheet would run as a formula gets a leading apostrophe.
std::string InertCsvText(const std::string& utf8);

// The machine description of a report: every info line before the separator "<hr>", as
// label without its colon and value (code page 1252, as the report holds them).
std::vector<std::pair<std::string, std::string>> MachineLinesOf(const std::vector<std::string>& reportLines);
