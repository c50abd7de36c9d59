#pragma once
#include <string>

#include "domain/log_sink.h"
#include "runner/machine_watch.h"
#include "settings/settings_store.h"

// The High performance power plan for the time of a pass. The plan that was active is kept
// in the settings value "PowerPlanBefore" until it is put back, so that a start after the
// program died in a pass puts it back too.

// Empty when the plan is active now (or already was), else why it could not be made so.
std::string SwitchToHighPerformance(MachineWatch& watch, SettingsStore& settings, LogSink& log);
// Puts the kept plan back, when one is kept; safe to call on every way out of a pass.
void PutBackPowerPlan(MachineWatch& watch, SettingsStore& settings, LogSink& log);
