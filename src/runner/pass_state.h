#pragma once
#include <optional>
#include <string>

#include "runner/batch_exit.h"

// The benchmark runner's state, one instance for the program's lifetime; never cleared whole.
struct PassState {
    int PlannedRuns = 0;         // runs an interactive pass plans
    int CompletedRuns = 0;       // runs of this pass whose game process has ended
    std::string CurrentRunKey;   // key of the run last started ("640" ... "hdw3", "custom")
    std::string DemoName;        // file name of the demo the game plays, without folder
    std::string DemoCopyName;    // the plain-named copy the game is told to play, or empty (DemoName)
    bool DemoError = false;      // the user-defined demo is unusable
    std::string AspectFragment;  // aspect-ratio part of the game command line, or empty
    std::string AspectLine;      // aspect-ratio text for the debug log and the report, or empty
    std::string GameCommandLine; // command line of the run last started
    int RunTimeLimitSeconds = 0;     // the limit of the run last started (0: none)
    bool RunEndedByTimeLimit = false;  // its game was ended when the limit passed
    int RunsPerResolution = 1;   // runs each resolution counts, without the warm-up
    bool WarmUp = false;         // each resolution begins with a run that is not counted
    int CurrentRepeat = 1;       // the run of the resolution under way: 0 the warm-up, then 1 ...
    std::optional<BatchExit> Outcome;  // how the batch pass ended, once it has
    // With "Record every frame's time", for the game start under way: the capture file the
    // recorder writes into and the recorder as the game's command line names it; both empty
    // when the run records no frame times, and FrameCaptureProblem then says why.
    std::string FrameCaptureFile;
    std::string FrameRecorder;
    std::string FrameCaptureProblem;
};

// " (run 2 of 3)" or " (warm-up run)" after the progress caption; nothing when each
// resolution runs once.
inline std::string RepeatCaption(const PassState& pass) {
    if (pass.RunsPerResolution <= 1 && !pass.WarmUp) return "";
    if (pass.CurrentRepeat == 0) return " (warm-up run)";
    return " (run " + std::to_string(pass.CurrentRepeat) + " of " + std::to_string(pass.RunsPerResolution) + ")";
}
