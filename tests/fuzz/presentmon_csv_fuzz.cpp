// A file offered as a PresentMon capture, whatever it holds: either refused or frame times
// within bounds, which written again as a capture read back as the same frames.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "results/frame_times.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<std::vector<double>> times = ReadPresentMonCsv(bytes);
    if (!times) return 0;
    for (double ms : *times) FUZZ_CHECK(std::isfinite(ms) && ms >= 0 && ms <= kLongestFrameMs);
    const std::optional<std::vector<double>> again = ReadPresentMonCsv(PresentMonCsv(*times, "Prey.exe", 1));
    FUZZ_CHECK(again && again->size() == times->size());
    // The capture keeps three decimals of a millisecond.
    for (std::size_t i = 0; i < times->size(); ++i) FUZZ_CHECK(std::fabs((*again)[i] - (*times)[i]) <= 0.0005);
    return 0;
}
