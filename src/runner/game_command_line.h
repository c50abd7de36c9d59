#pragma once
#include "domain/bench_options.h"
#include "domain/log_sink.h"
#include "domain/option_state.h"
#include "runner/pass_state.h"

// Sets AspectFragment and AspectLine from the aspect token and adds AspectLine to the debug
// log (an empty line when the pass has no aspect ratio).
void SelectAspect(const BenchOptions& bench, PassState& state, LogSink& log);

// Sets GameCommandLine for one run position (kCustomPosition takes the custom width and height
// texts as they stand).
void ComposeGameCommandLine(ResolutionPosition position, const OptionState& options, PassState& state);
