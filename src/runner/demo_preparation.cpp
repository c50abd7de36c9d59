#include "runner/demo_preparation.h"

#include <algorithm>
#include <stdexcept>

namespace {

void UseShippedDemo(DemoPreparation& ctx, const char* name, PassState& state) {
    state.DemoName = name;
    state.DemoCopyName.clear();
    // Without a game folder there is nowhere to copy to; the pass is refused later.
    if (!ctx.paths.DemosPath.empty() && !ctx.files.FileExists(ctx.paths.DemosPath + name)) {
        ctx.fileOps.Copy(ctx.paths.BenchDir + kShippedDemosFolder + name, ctx.paths.DemosPath);
    }
    state.DemoError = false;
}

void UseUserDemo(DemoPreparation& ctx, const std::string& demoFile, PassState& state) {
    if (demoFile.empty()) {
        state.DemoError = true;
        return;
    }
    state.DemoName = LastPathComponent(demoFile);
    state.DemoCopyName.clear();
    // A folder is no demo: copying it would bring a whole tree into the demos folder.
    if (state.DemoName.empty() || ctx.files.FolderExists(demoFile)) {
        state.DemoName.clear();
        state.DemoError = true;
        return;
    }
    if (!ctx.files.FileExists(demoFile)) throw std::runtime_error("Cannot find the demo file " + demoFile);
    if (ctx.paths.DemosPath.empty()) {
        state.DemoError = true;
        return;
    }
    const std::string target = ctx.paths.DemosPath + state.DemoName;
    if (!ctx.files.FileExists(target)) ctx.fileOps.Copy(demoFile, ctx.paths.DemosPath);
    state.DemoError = !ctx.files.FileExists(target);
    if (state.DemoError || IsPlainDemoName(state.DemoName)) return;
    // Copied afresh for every pass: the copy may still hold an earlier user demo.
    state.DemoCopyName = kPlainDemoCopy;
    state.DemoError = !ctx.fileOps.Copy(target, ctx.paths.DemosPath + kPlainDemoCopy);
}

}  // namespace

bool IsPlainDemoName(const std::string& name) {
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
               c == '-';
    });
}

std::string LastPathComponent(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void PrepareDemo(DemoPreparation& ctx, bool batchMode, const BenchOptions& bench, const OptionState& options,
                 PassState& state, LogSink& log) {
    if (batchMode) {
        if (bench.demo == "DEMO1") UseShippedDemo(ctx, kFirstShippedDemo, state);
        if (bench.demo == "DEMO2") UseShippedDemo(ctx, kSecondShippedDemo, state);
        return;
    }
    switch (options.demo) {
    case 0:
        log.Add(std::string("Demo: ") + kFirstShippedDemo);
        UseShippedDemo(ctx, kFirstShippedDemo, state);
        break;
    case 1:
        log.Add(std::string("Demo: ") + kSecondShippedDemo);
        UseShippedDemo(ctx, kSecondShippedDemo, state);
        break;
    case 2:
        UseUserDemo(ctx, options.demoFile, state);
        break;
    default:
        break;
    }
}
