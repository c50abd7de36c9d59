#include "sysinfo/adapter_lines.h"

#include <utility>
#include <vector>

#include "sysinfo/display_class_probe.h"
#include "sysinfo/rad_info.h"

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;  // label, value

// Writes one block: the heading, then each line to the report and, interactively, to the
// debug log as "label value".
void AppendBlock(ReportDocument& report, LogSink& debug, bool interactive, const Lines& lines) {
    report.addLine("   <align=\"left\"><span class=\"style4\">VGA Information</span><br>");
    for (const auto& [label, value] : lines) report.addInfoLine(label, value);
    if (!interactive) return;
    for (const auto& [label, value] : lines) debug.Add(label + " " + value);
}

}  // namespace

void appendAdapterLines(ReportDocument& report, LogSink& debug, ReportDocument::Mode mode,
                        const DiagnosticsValues& diagnostics, DisplayDriverTransport& driver,
                        const std::string& decimalSeparator, const std::string& benchDir) {
    const bool interactive = mode == ReportDocument::Mode::Interactive;
    const AtiAdapterInfo ati = probeAti(driver, decimalSeparator);
    const DisplayClassInfo displayClass = DisplayClassProbe(driver).probe();

    if (ati.recognised) {
        Lines lines{{interactive ? "Graphics card:" : "Graphics Card:", ati.adapterName}};
        if (!ati.busType.empty() && !ati.memoryType.empty()) lines.push_back({"Bustype:", ati.busType});
        lines.push_back({"Memory:", diagnostics.displayMemory});
        lines.push_back({"Current VPU speed:", ati.vpuSpeed});
        lines.push_back({"Current memory speed:", ati.memorySpeed});
        lines.push_back({"Driver version:", diagnostics.driverVersion});
        AppendBlock(report, debug, interactive, lines);
    }
    if (displayClass.recognised) {
        AppendBlock(report, debug, interactive,
                    {{"Graphics card:", displayClass.adapterName},
                     {"Memory:", diagnostics.displayMemory},
                     {"Current GPU speed:", displayClass.gpuSpeed},
                     {"Current memory speed:", displayClass.memorySpeed},
                     {"Driver version:", diagnostics.driverVersion}});
        if (interactive) debug.Save(benchDir);
    }
}
