#pragma once
#include <string>
#include <vector>

#include "domain/bench_options.h"

// Command-line arguments as the platform splits them; element 0 is the program's own path.
using ArgumentList = std::vector<std::string>;

struct StartupMode {
    bool BatchMode = false;
    bool OpenMode = false;
    // /QUIET with /BATCH: nothing waits for a person; messages go to the debug log and the
    // standard error output, and the recovery question is answered Yes.
    bool Quiet = false;
};

// True when some argument after the program path equals "/" + word, ignoring ASCII case.
bool IsSwitchPresent(const ArgumentList& args, const std::string& word);

StartupMode ReadStartupMode(const ArgumentList& args);

// The selection switches of a batch start. Within a group the switch that comes later in
// the switch table wins; the order of the arguments plays no part.
BenchOptions ReadBatchOptions(const ArgumentList& args);

// Under /QUIET nobody sees what the program made of its line, so a line it would read otherwise
// than its author meant is refused: an argument that is no switch it knows, two switches of one
// group (two resolutions: only one would run) or, for a pass, no demo switch. The sentence
// names the argument at fault; empty when the line is plain.
std::string QuietSwitchRefusal(const ArgumentList& args);
