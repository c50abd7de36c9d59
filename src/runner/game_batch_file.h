#pragma once
#include <string>

#include "domain/app_paths.h"
#include "runner/pass_state.h"

// Replaces GamePath\Lurkmark.bat with the line GameCommandLine; throws when it cannot write.
void WriteGameBatchFile(const AppPaths& paths, const PassState& state);

// How the game process is started: the command interpreter of the system folder, named as the
// program to run, told to run the batch file by its quoted full path, in the game folder.
struct GameStartParameters {
    std::string program;
    std::string commandLine;
    std::string currentDirectory;
};
// systemFolder: the Windows system folder, no trailing backslash.
GameStartParameters GameStart(const AppPaths& paths, const std::string& systemFolder);
