#pragma once
#include <string>

#include "domain/bench_options.h"
#include "domain/option_state.h"

// Positions in run order: the nine fixed resolutions by their index, then the custom slot.
constexpr int kCustomSlot = static_cast<int>(kCustomPosition);
constexpr int kNoRun = -1;

// What decides the runs of a pass: the window's selections in an interactive pass, the
// resolution token in a batch pass. Read afresh each time a run is sought.
struct RunSelection {
    bool batchMode;
    const OptionState& options;
    const BenchOptions& bench;
};

// Interactive passes: checked fixed items, plus one for a switched-on custom size with both texts.
int CountPlannedRuns(const OptionState& options);
bool IsPlanned(const RunSelection& selection, int position);
// The first planned position at or after the given one, or kNoRun. The search only moves forward.
int NextPlannedRun(const RunSelection& selection, int position);

// The ResolutionTable key of a position ("custom" for the custom slot), and back (kNoRun when unknown).
std::string RunKey(int position);
int RunPosition(const std::string& key);
