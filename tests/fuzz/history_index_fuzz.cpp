// The index of a results folder, whatever it holds (it lies in a shared folder): either nothing
// or files whose passes the list can show as the data file's reader would let them through, and
// what is decoded encodes back to the same bytes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "results/history_index.h"
#include "results/result_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<IndexedFile> files = DecodeHistoryIndex(bytes);
    if (files.empty()) return 0;
    for (const IndexedFile& f : files) {
        FUZZ_CHECK(f.entry.fileName == f.file.name);
        FUZZ_CHECK(f.entry.pass.has_value() == f.entry.problem.empty());
        if (!f.entry.pass) continue;
        FUZZ_CHECK(IsPlainReportName(f.entry.pass->report));
        for (const ResolutionSummary& r : f.entry.pass->resolutions) {
            FUZZ_CHECK(!r.mean || IsDrawableMeasure(*r.mean));
            FUZZ_CHECK(!r.frameTimes || IsDrawableMeasure(r.frameTimes->low1Fps));
        }
    }
    FUZZ_CHECK(EncodeHistoryIndex(files) == bytes);
    return 0;
}
