#include "runner/game_batch_file.h"

#include "platform/text_file.h"

void WriteGameBatchFile(const AppPaths& paths, const PassState& state) {
    WriteLinesCrLf(JoinPath(paths.GamePath, kGameBatchFileName), {state.GameCommandLine});
}

GameStartParameters GameStart(const AppPaths& paths) {
    // Unquoted even with blanks in the path: the process creation finds the .bat by trying
    // the blank-separated prefixes in turn.
    return {JoinPath(paths.GamePath, kGameBatchFileName), paths.GamePath};
}
