#pragma once
#include "runner/pass_ports.h"

// The one way out of a pass, so that every way out puts back the same things: the power plan
// always; the user's game files and the pass mark where they can go back; the window where
// one waits for the pass.
struct PassEnd {
    // False where nothing of the user's is set aside yet, or where a game that could not be
    // ended still holds the files (they stay aside, and the mark with them).
    bool filesBack = true;
    bool restoreDebugLines = true;  // the restore notes each file in the debug log
    bool saveLog = true;
    // The pause that lets the user read the panel, the panel hidden, Run enabled again.
    bool window = true;
};

// A restore that throws still lets the power plan go back; the restore's error then goes on.
void EndPass(PassContext& ctx, const PassEnd& end);

// The pause before the panel goes, and between the steps of a run's end.
constexpr unsigned kPassPauseMs = 1000;
