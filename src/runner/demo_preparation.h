#pragma once
#include <string>

#include "domain/app_paths.h"
#include "domain/bench_options.h"
#include "domain/log_sink.h"
#include "domain/option_state.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "runner/pass_state.h"

// The two timedemos shipped in BenchDir + "Demos\".
constexpr const char* kShippedDemosFolder = "Demos\\";
constexpr const char* kFirstShippedDemo = "rivo3v-6.demo";
constexpr const char* kSecondShippedDemo = "rivo3v-5.demo";

// A user demo whose name cannot stand on the game's command line is also copied to this name,
// which the game is told instead: a blank would split the name, a character of the command
// line's own would be read as one, and the command interpreter reads the game batch file in
// the console's code page, which turns accented letters of code page 1252 into others.
constexpr const char* kPlainDemoCopy = "lurkmark_user.demo";

// True for a name made of ASCII letters, digits, '.', '_' and '-' alone.
bool IsPlainDemoName(const std::string& name);

struct DemoPreparation {
    FileSystem& files;
    FileOperations& fileOps;
    const AppPaths& paths;
};

// Chooses DemoName, sets DemoError and copies the demo into DemosPath when it is not there.
// A batch pass follows the demo token, an interactive pass the window's demo choice.
// Throws when the user demo file does not exist.
void PrepareDemo(DemoPreparation& ctx, bool batchMode, const BenchOptions& bench, const OptionState& options,
                 PassState& state, LogSink& log);

// The last component of a Windows path; empty for a path that ends in a backslash.
std::string LastPathComponent(const std::string& path);
