#pragma once
#include <string>

#include "domain/log_sink.h"
#include "results/report_document.h"
#include "sysinfo/diagnostics_report.h"
#include "sysinfo/system_info_provider.h"

// Appends the system lines (operating system, memory, processor, clock, sound device) to the
// report, right after its "System Information" heading; in interactive mode also their
// debug lines. `decimalSeparator` is the user's regional setting.
void appendSystemLines(ReportDocument& report, LogSink& debug, ReportDocument::Mode mode,
                       const DiagnosticsValues& diagnostics, SystemInfoProvider& system,
                       const std::string& decimalSeparator);
