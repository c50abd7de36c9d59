#pragma once
#include <windows.h>

#include <string>

#include "online/http_update_transfer_win.h"
#include "online/update_flow.h"
#include "online/update_shell_win.h"

// The update component: its settings and events, the check and downloads over HTTP, its
// dialogs, and the hand-over to the upgrader. Lives on the main window's thread as long as
// the window.
class AutoUpdater {
public:
    // Removes an upgrader left over from an earlier update.
    AutoUpdater(HWND mainWindow, const std::string& programPath);
    AutoUpdater(const AutoUpdater&) = delete;
    AutoUpdater& operator=(const AutoUpdater&) = delete;

    // Read by every check and download as it starts.
    UpdaterSettings& Settings() { return settings_; }
    UpdateEvents& Events() { return events_; }

    // Returns at once; ignored while a check or download of this component is under way.
    void StartUpdateCheck() { flow_.StartUpdateCheck(); }
    bool Busy() const { return flow_.Busy(); }

private:
    UpdaterSettings settings_;
    UpdateEvents events_;
    HttpUpdateTransfer transfer_;
    UpdateShellWin shell_;
    UpdateFlow flow_;
};
