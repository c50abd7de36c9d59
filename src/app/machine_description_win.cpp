#include "app/machine_description_win.h"

#include "platform/decimal_separator_win.h"
#include "sysinfo/adapter_lines.h"
#include "sysinfo/system_lines.h"

ReportDocument::Mode MachineDescriptionWin::Mode() const {
    return mode_.BatchMode ? ReportDocument::Mode::Batch : ReportDocument::Mode::Interactive;
}

void MachineDescriptionWin::readDiagnosticsFile() {
    diagnostics_ = ::readDiagnosticsFile(files_, paths_.WorkDir());
}

void MachineDescriptionWin::appendSystemLines() {
    ::appendSystemLines(report_, log_, Mode(), diagnostics_, system_, UserDecimalSeparator());
}

void MachineDescriptionWin::appendAdapterLines() {
    ::appendAdapterLines(report_, log_, Mode(), diagnostics_, driver_, UserDecimalSeparator(), paths_.WorkDir());
}
