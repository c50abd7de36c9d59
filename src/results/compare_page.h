#pragma once
#include <string>
#include <vector>

#include "results/pass_summary.h"

// The comparison page of passes: one self-contained UTF-8 HTML file (inline CSS and SVG, no
// script, nothing fetched), lines ended by CR LF. The first pass is the one the differences
// in % refer to.
std::string BuildComparePage(const std::vector<const PassSummary*>& passes, char decimalSeparator);

// "compare_" + the file stamp + ".htm"
std::string ComparePageFileName(const std::string& fileStamp);

// Text made safe inside HTML elements and quoted attribute values.
std::string EscapeHtml(const std::string& text);
