// The game's console log, whatever it holds: the evidence the checks of a run read from it,
// and the checks themselves, must hold together for any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "results/run_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string log(reinterpret_cast<const char*>(data), size);
    const RunEvidence evidence = ReadRunEvidence(log);
    if (evidence.window) {
        FUZZ_CHECK(evidence.window->first >= 0 && evidence.window->second >= 0);
        FUZZ_CHECK(log.find("created window @ ") != std::string::npos);
    }
    FUZZ_CHECK(evidence.frames.has_value() == !evidence.secondsText.empty());
    FUZZ_CHECK(evidence.frames.has_value() == !evidence.fpsText.empty());
    if (evidence.frames) {
        FUZZ_CHECK(*evidence.frames >= 0);
        FUZZ_CHECK(evidence.secondsText.find_first_not_of("0123456789.") == std::string::npos);
        FUZZ_CHECK(evidence.fpsText.find_first_not_of("0123456789.") == std::string::npos);
    }
    // Without evidence no check speaks; with it, each flag carries its own code.
    const std::vector<RunFlag> window = WindowSizeFlags(evidence, 640, 480);
    FUZZ_CHECK(window.empty() || (evidence.window && window[0].code == "windowSize"));
    const std::vector<RunFlag> rate = InconsistentLogFlags(evidence);
    FUZZ_CHECK(rate.empty() || (evidence.frames && rate[0].code == "inconsistentLog"));
    const std::vector<RunFlag> shortDemo = ShortDemoFlags(evidence, {2412});
    FUZZ_CHECK(shortDemo.empty() || (evidence.frames && *evidence.frames < 2412));
    return 0;
}
