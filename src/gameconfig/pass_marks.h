#pragma once
#include "settings/settings_store.h"

// The registry value NoErrorWarning: "1" while a pass is under way, so that a pass that never
// ended is offered for recovery at the next start.

// "1": a pass has passed its checks and is about to start its first game run.
void MarkPassUnderWay(SettingsStore& store);
// "0" at the end of a pass, after the restore. The end of a batch pass creates the key when
// it is missing; the end of an interactive pass does not.
void MarkPassEnded(SettingsStore& store, bool batchPass);
// "0" when an interactive pass is refused by a check; creates the key when it is missing.
void MarkPassRefused(SettingsStore& store);
// "0" after the start-up recovery has put the user's files back.
void MarkRecovered(SettingsStore& store);

bool PassUnderWay(SettingsStore& store);
