#pragma once
#include <string>

#include "app/debug_log.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "runner/pass_state.h"
#include "settings/app_paths.h"
#include "settings/bench_options.h"
#include "settings/option_state.h"

// The two timedemos shipped in BenchDir + "Demos\".
constexpr const char* kShippedDemosFolder = "Demos\\";
constexpr const char* kFirstShippedDemo = "rivo3v-6.demo";
constexpr const char* kSecondShippedDemo = "rivo3v-5.demo";

struct DemoPreparation {
    FileSystem& files;
    FileOperations& fileOps;
    const AppPaths& paths;
};

// Chooses DemoName, sets DemoError and copies the demo into DemosPath when it is not there.
// A batch pass follows the demo token, an interactive pass the window's demo choice.
// Throws when the user demo file does not exist.
void PrepareDemo(DemoPreparation& ctx, bool batchMode, const BenchOptions& bench, const OptionState& options,
                 PassState& state, DebugLog& log);

// The last component of a Windows path; empty for a path that ends in a backslash.
std::string LastPathComponent(const std::string& path);
