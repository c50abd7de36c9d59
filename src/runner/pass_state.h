#pragma once
#include <string>

// The state of the benchmark runner, one instance for the program's lifetime.
struct PassState {
    int PlannedRuns = 0;         // runs an interactive pass plans
    int CompletedRuns = 0;       // runs of this pass whose game has ended
    std::string CurrentRunKey;   // ResolutionTable key of the run last started, or "custom"
    std::string DemoName;        // the demo's file name, such as "rivo3v-6.demo"
    bool DemoError = false;      // the user-defined demo is unusable
    std::string AspectFragment;  // "+set r_aspectRatio N" or empty
    std::string AspectLine;      // "Aspect Ratio: [16:9]" or empty
    std::string GameCommandLine;
};
