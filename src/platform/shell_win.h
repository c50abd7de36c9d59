#pragma once
#include <string>
#include <vector>

// The shell's "open" action, shown normally (a folder, the report, the help file, a page).
// False when the shell could not open it.
bool ShellOpen(const std::string& target);

// The program's own command line as the C runtime splits it (argument 0 is the program).
std::vector<std::string> ProgramArguments();

// The folder of the running executable, with a trailing backslash.
std::string ProgramFolder();
