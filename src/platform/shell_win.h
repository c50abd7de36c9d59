#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The shell's "open" action, shown normally (a folder, the report, the help file, a page).
// False when the shell could not open it.
bool ShellOpen(const std::string& target);
// The same with an owner window for the shell's own messages and a show-window code.
bool ShellOpen(HWND owner, const std::string& target, int showCommand);

// The program's own command line as the C runtime splits it (argument 0 is the program).
std::vector<std::string> ProgramArguments();

// The running executable's full path, and its folder with a trailing backslash.
std::string ProgramPath();
std::string ProgramFolder();

// The Windows system folder as the system reports it, without a trailing backslash.
std::string SystemFolder();
