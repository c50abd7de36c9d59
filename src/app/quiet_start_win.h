#pragma once
#include <optional>

#include "domain/switches.h"

// /BATCH /QUIET: a start that a job could not trust is refused before anything else happens
// (no setting is stored, no game file touched): a switch line the program would read otherwise
// than meant, or a stored results folder that does not exist or cannot be reached. The sentence
// goes to standard error and the debug log; the result is the exit status (2). Nothing when
// the start may go on.
std::optional<int> RefuseUntrustedQuietStart(const ArgumentList& args);
