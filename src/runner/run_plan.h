#pragma once
#include <optional>

#include "domain/bench_options.h"
#include "domain/option_state.h"

// What decides the runs of a pass: the window's selections in an interactive pass, the
// resolution token in a batch pass. Read afresh each time a run is sought.
struct RunSelection {
    bool batchMode;
    const OptionState& options;
    const BenchOptions& bench;
};

// Interactive passes: checked fixed items, plus one for a switched-on custom size with both texts.
int CountPlannedRuns(const OptionState& options);
// The first planned position at or after the given one; none after the last. The search only
// moves forward.
std::optional<ResolutionPosition> NextPlannedRun(const RunSelection& selection, ResolutionPosition from);
