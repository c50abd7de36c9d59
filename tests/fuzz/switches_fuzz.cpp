// The command line: one argument per input line, after the program's own path.
#include <cstddef>
#include <cstdint>
#include <string>

#include "domain/switches.h"
#include "fuzz_check.h"

namespace {

ArgumentList SplitLines(const std::string& text) {
    ArgumentList args{"C:\\Lurkmark\\QWK_Lurkmark.exe"};
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        args.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

// A chosen switch must be one the user gave.
void CheckChosen(const ArgumentList& args, const std::string& chosen) {
    FUZZ_CHECK(chosen.empty() || IsSwitchPresent(args, chosen));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ArgumentList args = SplitLines(std::string(reinterpret_cast<const char*>(data), size));

    const StartupMode mode = ReadStartupMode(args);
    FUZZ_CHECK(mode.BatchMode == IsSwitchPresent(args, "batch"));
    FUZZ_CHECK(mode.OpenMode == IsSwitchPresent(args, "Open"));

    const BenchOptions options = ReadBatchOptions(args);
    CheckChosen(args, options.resolution);
    CheckChosen(args, options.demo);
    CheckChosen(args, options.boost);
    CheckChosen(args, options.aspect);
    CheckChosen(args, options.shader);
    CheckChosen(args, options.aa);
    CheckChosen(args, options.af);

    // Every argument that is a switch finds itself; the program path never counts.
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!args[i].empty() && args[i][0] == '/') FUZZ_CHECK(IsSwitchPresent(args, args[i].substr(1)));
    }
    FUZZ_CHECK(!IsSwitchPresent({args[0]}, args[0]));

    // A line /QUIET accepts plays a demo it names (or only opens the folder); a refused one
    // says that nothing was started.
    const std::string refusal = QuietSwitchRefusal(args);
    if (refusal.empty()) FUZZ_CHECK(IsSwitchPresent(args, "OPEN") || !options.demo.empty());
    const std::string notStarted = "The benchmark was not started (/QUIET).";
    FUZZ_CHECK(refusal.empty() || (refusal.size() > notStarted.size() &&
                                   refusal.compare(refusal.size() - notStarted.size(), notStarted.size(), notStarted) == 0));
    return 0;
}
