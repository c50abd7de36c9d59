#pragma once
#include <functional>
#include <string>
#include <vector>

#include "domain/app_paths.h"
#include "domain/option_state.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "settings/stored_password.h"

// Distinct "{W} x {H}" screen sizes in the order the display adapter offers them.
using DisplayModeList = std::vector<std::string>;

struct SettingsLoadContext {
    SettingsStore& store;
    FileSystem& files;
    std::function<DisplayModeList()> displayModes;
    // The start-up recovery of an interrupted pass; runs as the load's last step.
    std::function<void()> startupRecovery;
    // Opens a sealed proxy password; without one only the older plain form is read.
    SecretSealer* secrets = nullptr;
};

// Fills the options and the folders from the settings key. Does nothing when the key is
// missing. A demos folder that cannot be made costs none of the other settings: the load
// goes on, leaves the stored values as they are and returns "Cannot create {DemosPath}"
// for the caller to report (empty when all went well).
std::string LoadSettings(SettingsLoadContext& ctx, OptionState& options, AppPaths& paths);

// Sets GamePath, CfgPath and DemosPath from a game folder and creates DemosPath when needed.
void SetGameFolder(FileSystem& files, const std::string& gameFolder, AppPaths& paths);

// The folder of a chosen prey.exe: "C:\Games\Prey\prey.exe" gives "C:\Games\Prey",
// a file in a drive root gives the root with its backslash.
std::string GameFolderOfFile(const std::string& filePath);

// The results folder as stored: a drive root unchanged, any other folder with a backslash.
std::string ResultFolderText(const std::string& chosenFolder);
