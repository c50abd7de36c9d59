#pragma once
#include <string>
#include <vector>

#include "domain/switches.h"

// "/COMPARE": writes the comparison page of the files beside the first and opens it; a file
// that is missing or cannot be compared gets a message naming it. With /QUIET (a job) no
// window and no browser: the message goes to standard error, the page's path to standard
// output. The exit code: 0 when the page was written.
int RunCompareCommand(const ArgumentList& args, const std::vector<std::string>& files);
