#pragma once
#include <string>

#include "domain/app_paths.h"
#include "runner/pass_state.h"

// Replaces GamePath\Lurkmark.bat with the line GameCommandLine; throws when it cannot write.
void WriteGameBatchFile(const AppPaths& paths, const PassState& state);

// How the game process is started: the batch file's full path, unquoted, in the game folder.
struct GameStartParameters {
    std::string commandLine;
    std::string currentDirectory;
};
GameStartParameters GameStart(const AppPaths& paths);
