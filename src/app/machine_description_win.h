#pragma once
#include "app/debug_log.h"
#include "runner/pass_ports.h"
#include "sysinfo/diagnostics_report.h"
#include "sysinfo/display_driver_win.h"
#include "sysinfo/system_info_provider_win.h"

// The pass's view of the machine description: this computer's system facts, its display
// adapter and the diagnostics tool's report, written into the pass's report and debug log.
class MachineDescriptionWin : public MachineDescription {
public:
    MachineDescriptionWin(const StartupMode& mode, const AppPaths& paths, FileSystem& files, ReportDocument& report,
                          DebugLog& log)
        : mode_(mode), paths_(paths), files_(files), report_(report), log_(log) {}

    void readDiagnosticsFile() override;
    void appendSystemLines() override;
    void appendAdapterLines() override;

private:
    ReportDocument::Mode Mode() const;

    const StartupMode& mode_;
    const AppPaths& paths_;
    FileSystem& files_;
    ReportDocument& report_;
    DebugLog& log_;
    DiagnosticsValues diagnostics_;
    WinSystemInfoProvider system_;
    WinDisplayDriver driver_;
};
