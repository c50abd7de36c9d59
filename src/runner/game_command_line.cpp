#include "runner/game_command_line.h"

#include "runner/run_plan.h"

namespace {

struct AspectChoice {
    const char* token;
    const char* fragment;
    const char* line;
};

const AspectChoice kAspects[] = {
    {"AR43", "+set r_aspectRatio 0", "Aspect Ratio: [4:3]"},
    {"AR169", "+set r_aspectRatio 1", "Aspect Ratio: [16:9]"},
    {"AR1610", "+set r_aspectRatio 2", "Aspect Ratio: [16:10]"},
};

// The engine loads the library r_glDriver names as its OpenGL library: the frame recorder.
// Quoted for the blanks of a path such as C:/Program Files/...
std::string RecorderFragment(const PassState& state) {
    if (state.FrameRecorder.empty()) return "";
    return " +set r_glDriver \"" + state.FrameRecorder + "\"";
}

}  // namespace

void SelectAspect(const BenchOptions& bench, PassState& state, LogSink& log) {
    state.AspectFragment.clear();
    state.AspectLine.clear();
    for (const AspectChoice& choice : kAspects) {
        if (bench.aspect == choice.token) {
            state.AspectFragment = choice.fragment;
            state.AspectLine = choice.line;
        }
    }
    log.Add(state.AspectLine);
}

void ComposeGameCommandLine(ResolutionPosition position, const OptionState& options, PassState& state) {
    std::string width = options.customWidth;
    std::string height = options.customHeight;
    if (position != kCustomPosition) {
        width = std::to_string(ResolutionTable.at(position).width);
        height = std::to_string(ResolutionTable.at(position).height);
    }
    // An empty AspectFragment leaves two blanks in a row: the game reads them as one.
    state.GameCommandLine = "prey.exe +set logFile 1 +set com_showFPS 1 +set timescale 7 +set r_mode -1 " +
                            state.AspectFragment + " +set r_customWidth " + width + " +set r_customHeight " +
                            height + RecorderFragment(state) + " +timedemoquit " +
                            (state.DemoCopyName.empty() ? state.DemoName : state.DemoCopyName);
}
