#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "app/debug_log.h"
#include "domain/app_paths.h"
#include "online/maker_hosts.h"
#include "online/update_command.h"
#include "settings/settings_store.h"

class AutoUpdater;
class WaitForm;

// The commands that reach the maker's servers: the help file, the home page and the update
// check. Hosts come from the settings key afresh for each command.
class OnlineCommands {
public:
    OnlineCommands(HWND window, SettingsStore& settings, DebugLog& debugLog, const AppPaths& paths);
    ~OnlineCommands();
    OnlineCommands(const OnlineCommands&) = delete;
    OnlineCommands& operator=(const OnlineCommands&) = delete;

    void OpenHelp(WaitForm& waitForm);
    void OpenHomePage();
    // A port that is not a number ends here with the conversion error, before any check starts.
    void CheckForUpdate(const ProxyPageTexts& proxyPage);

private:
    void LogRefusal(const std::string& line);
    MakerHosts HostsLogged();

    HWND window_;
    SettingsStore& settings_;
    DebugLog& debugLog_;
    const AppPaths& paths_;
    // Configured afresh by every press of "Update benchmark".
    std::unique_ptr<AutoUpdater> updater_;
    // The help command runs its download while the window's messages flow: one at a time.
    bool helpRunning_ = false;
};
