#include "sysinfo/system_lines.h"

#include "sysinfo/machine_text.h"

void appendSystemLines(ReportDocument& report, LogSink& debug, ReportDocument::Mode mode,
                       const DiagnosticsValues& diagnostics, SystemInfoProvider& system,
                       const std::string& decimalSeparator) {
    const bool interactive = mode == ReportDocument::Mode::Interactive;
    report.addInfoLine("Operating system:", system.osProductName());
    if (interactive) {
        debug.Add("");
        debug.Add("Collecting Computer Information -------------------------");
    }

    const std::string memory = MemoryText(system.totalPhysicalMemory(), decimalSeparator);
    if (!memory.empty()) {
        report.addInfoLine("System memory:", memory);
        if (interactive) debug.Add("System memory: " + memory);
    }

    const std::string cpu = system.cpuName();
    const std::string speed = std::to_string(system.cpuSpeedMHz()) + " MHz";
    report.addInfoLine("CPU:", cpu);
    report.addInfoLine("CPU speed:", speed);
    report.addInfoLine("Sound system:", diagnostics.soundDevice);
    if (interactive) {
        debug.Add("CPU: " + cpu);
        debug.Add("CPU speed: " + speed);
        debug.Add("Sound system: " + diagnostics.soundDevice);
    }
}
