#pragma once
// A program started as automation starts it: its standard output and error redirected to
// files, watched until it ends by itself (bounded) for any window it shows on screen.
#include <string>

namespace wt {

struct UnattendedRun {
    bool ended = false;  // within the bound; a program still running then is terminated
    unsigned long exitCode = 0;
    std::string out;
    std::string err;
    bool windowShown = false;  // a visible top-level window of the program was seen
};

// Where the program's standard output and error go: files, or pipes (as PowerShell and CI
// runners give them) read once it has ended.
enum class Redirection { Files, Pipes };

UnattendedRun RunUnattended(const std::string& commandLine, const std::string& folder, unsigned long timeoutMs,
                            Redirection redirection = Redirection::Files);

}  // namespace wt
