#include "runner/game_batch_file.h"

#include "platform/text_file.h"

void WriteGameBatchFile(const AppPaths& paths, const PassState& state) {
    WriteLinesCrLf(JoinPath(paths.GamePath, kGameBatchFileName), {state.GameCommandLine});
}

GameStartParameters GameStart(const AppPaths& paths, const std::string& systemFolder) {
    // An unquoted path with blanks would make process creation try each blank-separated prefix
    // as a program (C:\Games\Prey.exe for C:\Games\Prey Game\...): whoever may write there
    // would run in the user's name. A batch file is run by the command interpreter anyway; it is
    // named by full path, and the batch file quoted twice because /c takes off the outer pair
    // whenever the path holds a character such as "(" or "&".
    return {JoinPath(systemFolder, "cmd.exe"), "cmd.exe /c \"\"" + JoinPath(paths.GamePath, kGameBatchFileName) + "\"\"",
            paths.GamePath};
}
