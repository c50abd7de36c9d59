// The diagnostics tool's report, whatever it holds: values come from single lines.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "sysinfo/diagnostics_report.h"

namespace {

// A value is the rest of one line: no line break, no trailing blank, no more than the report.
void CheckValue(const std::string& value, const std::string& report) {
    FUZZ_CHECK(value.size() <= report.size());
    FUZZ_CHECK(value.find('\n') == std::string::npos);
    FUZZ_CHECK(report.find(value) != std::string::npos);
    if (!value.empty()) {
        const char last = value.back();
        FUZZ_CHECK(last != ' ' && last != '\t' && last != '\r');
    }
}

bool HoldsLabel(const std::string& report, std::string label) {
    std::string lower = report;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : label) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find(label) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string report(reinterpret_cast<const char*>(data), size);
    const DiagnosticsValues values = ParseDiagnosticsReport(report);
    CheckValue(values.displayMemory, report);
    CheckValue(values.driverVersion, report);
    CheckValue(values.soundDevice, report);
    // Later values are only looked for after the earlier ones are found.
    if (!values.driverVersion.empty()) FUZZ_CHECK(HoldsLabel(report, "Display Memory:"));
    if (!values.soundDevice.empty()) FUZZ_CHECK(HoldsLabel(report, "Driver Version:"));
    return 0;
}
