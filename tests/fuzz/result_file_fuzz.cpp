// A result data file, whatever it holds: either a pass or a reason, and a pass is shown in the
// history and on the comparison page without markup of its own or numbers that cannot be drawn.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "results/compare_page.h"
#include "results/pass_history.h"
#include "results/result_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ResultFileReading reading = ReadResultFile(text);
    FUZZ_CHECK(reading.pass.has_value() == reading.problem.empty());
    if (!reading.pass) return 0;
    const PassSummary& pass = *reading.pass;
    FUZZ_CHECK(pass.report.find_first_of("\\/:") == std::string::npos);
    // A capture file named by a run is one the pages may open beside the data file: never a path.
    for (const ResolutionSummary& r : pass.resolutions) {
        for (const RunSummary& run : r.runs) {
            FUZZ_CHECK(run.frameTimesFile.find_first_of("\\/:") == std::string::npos);
            FUZZ_CHECK(!run.frameTimes || run.frameTimes->stutters <= run.frameTimes->frames);
        }
    }

    const std::vector<HistoryEntry> entries = {{"result_1.json", pass, ""}, {"result_2.json", pass, ""}};
    const HistoryTable table = BuildHistoryTable(entries, ',');
    FUZZ_CHECK(table.rows.size() == 2 && !table.rows[0].greyed);
    for (const HistoryRow& row : table.rows) FUZZ_CHECK(row.cells.size() == table.columns.size());

    const std::string page = BuildComparePage({&pass, &pass}, '.');
    FUZZ_CHECK(page.find("<script") == std::string::npos);
    // Coordinates, scores and percentages are numbers that can be drawn: with the file's texts
    // blanked, nothing on the page reads "nan" or "inf".
    PassSummary numbers = pass;
    numbers.note = numbers.program = "x";
    for (LabelledValue& v : numbers.machine) v = {"x", "x"};
    for (LabelledValue& v : numbers.options) v = {"x", "x"};
    for (ResolutionSummary& r : numbers.resolutions) {
        r.label = "x";
        for (RunSummary& run : r.runs) {
            for (RunFlag& flag : run.flags) flag.text = "x";
        }
    }
    const std::string drawn = BuildComparePage({&numbers, &numbers}, '.');
    FUZZ_CHECK(drawn.find("nan") == std::string::npos && drawn.find("inf") == std::string::npos);
    return 0;
}
