#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The only way to the shell's "open" action: a web address with a checked host, or an
// existing folder, page, help file or text file (shell_target.h). Anything else, which the
// shell might run as a program, is refused without asking the shell. False when refused or
// when the shell could not open it.
bool ShellOpen(HWND owner, const std::string& target, int showCommand);
// The same shown normally, without an owner window.
bool ShellOpen(const std::string& target);

// The program's own command line as the C runtime splits it (argument 0 is the program).
std::vector<std::string> ProgramArguments();

// The running executable's full path, and its folder with a trailing backslash.
std::string ProgramPath();
std::string ProgramFolder();

// The Windows system folder as the system reports it, without a trailing backslash.
std::string SystemFolder();
