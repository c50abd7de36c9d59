#pragma once
#include <string>

#include "platform/file_system.h"

// What the display diagnostics tool's text report tells about the machine. Each value is the
// rest of its line after the label, leading blank included (" 256.0 MB"); empty when the
// report does not have it.
struct DiagnosticsValues {
    std::string displayMemory;
    std::string driverVersion;
    std::string soundDevice;
};

// The report file the tool writes into BenchDir.
constexpr const char* kDiagnosticsFileName = "dxinfo.txt";

// The first display device's memory and driver version and the first sound device's
// description, from the report's bytes (code page of the machine that wrote it, CR LF or LF).
DiagnosticsValues ParseDiagnosticsReport(const std::string& bytes);

// Reads BenchDir + "dxinfo.txt" and deletes it. A missing or unreadable report gives empty
// values: the machine description is incomplete then, but the pass goes on.
DiagnosticsValues readDiagnosticsFile(FileSystem& files, const std::string& benchDir);
