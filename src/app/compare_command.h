#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "domain/switches.h"
#include "results/compare_frames.h"

// "/COMPARE a.json b.json ...": the comparison page of the named result files, written beside
// the first of them, without the main window.

// The files after the switch, in order; empty when the switch is absent.
std::optional<std::vector<std::string>> CompareFilesOf(const ArgumentList& args);

struct Comparison {
    std::string pagePath;  // set when the page could be built
    std::string page;      // UTF-8
    std::string error;     // the message for the user, naming the file at fault
};

// Reads the files through `readFile` (false: the file cannot be read) and the frame captures
// they name beside them through `readCapture`, and builds the page; fileStamp names it
// ("compare_" + stamp + ".htm"). A capture that cannot be read is named on the page, never
// an error.
Comparison ComposeComparison(const std::vector<std::string>& files,
                             const std::function<bool(const std::string&, std::string&)>& readFile,
                             const CaptureReader& readCapture, const std::string& fileStamp, char decimalSeparator);
