#include "domain/switches.h"

#include <cstddef>

#include "domain/game_time_limit.h"
#include "platform/ascii_case.h"

namespace {

struct SelectionSwitch {
    const char* word;
    std::string BenchOptions::*group;
};

// Table order matters: it decides which switch of a group wins.
const SelectionSwitch kSelectionSwitches[] = {
    {"640", &BenchOptions::resolution},   {"800", &BenchOptions::resolution},
    {"1024", &BenchOptions::resolution},  {"1280", &BenchOptions::resolution},
    {"1600", &BenchOptions::resolution},  {"2048", &BenchOptions::resolution},
    {"HDW1", &BenchOptions::resolution},  {"HDW2", &BenchOptions::resolution},
    {"HDW3", &BenchOptions::resolution},  {"DEMO1", &BenchOptions::demo},
    {"DEMO2", &BenchOptions::demo},       {"BOOST", &BenchOptions::boost},
    {"AR43", &BenchOptions::aspect},      {"AR169", &BenchOptions::aspect},
    {"AR1610", &BenchOptions::aspect},    {"SLOW", &BenchOptions::shader},
    {"SMED", &BenchOptions::shader},      {"SHIGH", &BenchOptions::shader},
    {"SHIGHEST", &BenchOptions::shader},  {"AASYS", &BenchOptions::aa},
    {"AANONE", &BenchOptions::aa},        {"AA2", &BenchOptions::aa},
    {"AA4", &BenchOptions::aa},           {"AFSYS", &BenchOptions::af},
    {"AFNONE", &BenchOptions::af},        {"AF2", &BenchOptions::af},
    {"AF4", &BenchOptions::af},           {"AF8", &BenchOptions::af},
    {"AF16", &BenchOptions::af},          {"RUNS1", &BenchOptions::runs},
    {"RUNS2", &BenchOptions::runs},       {"RUNS3", &BenchOptions::runs},
    {"RUNS4", &BenchOptions::runs},       {"RUNS5", &BenchOptions::runs},
    {"RUNS6", &BenchOptions::runs},       {"RUNS7", &BenchOptions::runs},
    {"RUNS8", &BenchOptions::runs},       {"RUNS9", &BenchOptions::runs},
    {"WARMUP", &BenchOptions::warmUp},    {"HIGHPERF", &BenchOptions::highPerf},
    {"FRAMES", &BenchOptions::frames},
};

// Switches that choose a mode rather than an option.
const char* const kModeSwitches[] = {"BATCH", "QUIET", "OPEN"};

const SelectionSwitch* SelectionSwitchOf(const std::string& upperArg) {
    for (const SelectionSwitch& s : kSelectionSwitches) {
        if (upperArg == std::string("/") + s.word) return &s;
    }
    return nullptr;
}

bool IsKnownArgument(const std::string& arg) {
    const std::string upper = AsciiUpper(arg);
    if (SelectionSwitchOf(upper)) return true;
    for (const char* word : kModeSwitches) {
        if (upper == std::string("/") + word) return true;
    }
    // A readable /LIMIT<seconds>; one with a number the program cannot read is unknown.
    return ReadTimeLimitSwitch({"", arg}).has_value();
}

}  // namespace

bool IsSwitchPresent(const ArgumentList& args, const std::string& word) {
    const std::string wanted = AsciiUpper("/" + word);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg[0] != '/') continue;
        if (AsciiUpper(arg) == wanted) return true;
    }
    return false;
}

StartupMode ReadStartupMode(const ArgumentList& args) {
    StartupMode mode;
    mode.OpenMode = IsSwitchPresent(args, "OPEN");
    mode.BatchMode = IsSwitchPresent(args, "BATCH");
    // Like the selection switches, it means nothing without /BATCH.
    mode.Quiet = mode.BatchMode && IsSwitchPresent(args, "QUIET");
    return mode;
}

BenchOptions ReadBatchOptions(const ArgumentList& args) {
    BenchOptions options;
    for (const SelectionSwitch& s : kSelectionSwitches) {
        if (IsSwitchPresent(args, s.word)) options.*s.group = s.word;
    }
    if (const std::optional<int> limit = ReadTimeLimitSwitch(args)) options.timeLimit = TimeLimitToken(*limit);
    return options;
}

std::string QuietSwitchRefusal(const ArgumentList& args) {
    const std::string notStarted = " The benchmark was not started (/QUIET).";
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!IsKnownArgument(args[i])) return "Lurkmark does not know the switch \"" + args[i] + "\"." + notStarted;
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const SelectionSwitch* first = SelectionSwitchOf(AsciiUpper(args[i]));
        if (!first) continue;
        for (std::size_t k = i + 1; k < args.size(); ++k) {
            const SelectionSwitch* second = SelectionSwitchOf(AsciiUpper(args[k]));
            if (second && second != first && second->group == first->group) {
                return "The switches " + args[i] + " and " + args[k] + " choose the same setting; give one." + notStarted;
            }
        }
    }
    // /BATCH /OPEN only opens the results folder: it plays no demo.
    if (!IsSwitchPresent(args, "OPEN") && ReadBatchOptions(args).demo.empty()) {
        return "Please, choose the demo with /DEMO1 or /DEMO2." + notStarted;
    }
    return "";
}
