#pragma once
// The real program installed into a folder and started interactively, with its main window
// found after the six-second splash.
#include <windows.h>

#include <string>

#include "support/wine_test_support.h"

namespace wt {

struct StartedProgram {
    // Installs the program into `benchFolder` and starts it with the arguments; waits for the
    // main window. startFolder: the current folder it starts in, as a shortcut may set one
    // (the bench folder when empty).
    explicit StartedProgram(const std::string& benchFolder, const std::string& arguments = "",
                            const std::string& startFolder = "");
    HWND Control(int id) const;
    // The Exit picture ends the program.
    bool Exit();

    std::string exe;
    RunningProgram program;
    HWND main = nullptr;
};

}  // namespace wt
