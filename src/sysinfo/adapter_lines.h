#pragma once
#include <string>

#include "domain/log_sink.h"
#include "results/report_document.h"
#include "sysinfo/diagnostics_report.h"
#include "sysinfo/display_driver.h"

// Runs both display adapter probes and appends a "VGA Information" block for each adapter
// recognised, the ATI block first; in interactive mode also their debug lines, and the debug
// log is saved to benchDir after the display class block. Probes that fail write nothing.
void appendAdapterLines(ReportDocument& report, LogSink& debug, ReportDocument::Mode mode,
                        const DiagnosticsValues& diagnostics, DisplayDriverTransport& driver,
                        const std::string& decimalSeparator, const std::string& benchDir);
