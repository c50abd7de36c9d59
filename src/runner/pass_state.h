#pragma once
#include <string>

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
};
