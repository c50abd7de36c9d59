#pragma once
#include <string>
#include <vector>

// "/COMPARE": writes the comparison page of the files beside the first and opens it; a file
// that is missing or cannot be compared gets a message naming it. The exit code: 0 when the
// page was written.
int RunCompareCommand(const std::vector<std::string>& files);
