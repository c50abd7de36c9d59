#include "app/quiet_start_win.h"

#include <windows.h>

#include <exception>
#include <string>

#include "app/debug_log.h"
#include "app/standard_streams_win.h"
#include "domain/app_paths.h"
#include "platform/shell_win.h"
#include "platform/win_file_system_win.h"
#include "runner/batch_exit.h"
#include "settings/data_folder_win.h"
#include "settings/registry_settings_store_win.h"

namespace {

// Without /QUIET the settings load puts the program folder's Benchmark\ in place of a folder
// that is gone; a job would then look for its results where they are not.
std::string ResultFolderRefusal() {
    RegistrySettingsStore store;
    const std::string folder = store.Read("ResultPath");
    WinFileSystem files;
    if (folder.empty() || files.FolderExists(folder)) return "";
    return "The results folder " + folder + " does not exist or cannot be reached. The benchmark was not started "
           "(/QUIET).";
}

}  // namespace

std::optional<int> RefuseUntrustedQuietStart(const ArgumentList& args) {
    const StartupMode mode = ReadStartupMode(args);
    if (!mode.Quiet) return std::nullopt;
    std::string refusal = QuietSwitchRefusal(args);
    // /BATCH /OPEN writes no results: it opens the folder when there is one.
    if (refusal.empty() && !mode.OpenMode) refusal = ResultFolderRefusal();
    if (refusal.empty()) return std::nullopt;
    StandardStreams streams;
    streams.Err(refusal);
    DebugLog log;
    log.Add(refusal);
    AppPaths paths;
    paths.BenchDir = ProgramFolder();
    paths.DataDir = DataDirFor(paths.BenchDir);
    try {
        log.Save(paths.WorkDir());
    } catch (const std::exception& e) {
        streams.Err(e.what());
    }
    return static_cast<int>(BatchExit::Refused);
}
