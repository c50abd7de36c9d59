#pragma once
// The real program started from outside, with its main window found.
#include <windows.h>

#include <string>

#include "support/wine_test_support.h"

namespace wt {

struct StartedProgram {
    // Installs the program into `benchFolder` and starts it there with the arguments; waits
    // for the main window (after the six-second splash of an interactive start).
    explicit StartedProgram(const std::string& benchFolder, const std::string& arguments = "");
    HWND Control(int id) const;
    // The Exit picture ends the program.
    bool Exit();

    std::string exe;
    RunningProgram program;
    HWND main = nullptr;
};

}  // namespace wt
