#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/scoped_win.h"
#include "upgrader/upgrade_plan.h"

// Where hand-over folders are made: the system's temporary folder, or the program's own
// folder when that is missing (with trailing backslash).
std::string HandOverParent(const std::string& programFolder);

// The hand-over folders in HandOverParent (names only).
std::vector<std::string> HandOverFolders(const std::string& programFolder);

// Hand-over folders left by earlier updates, with what the program wrote into them.
void DeleteLeftoverUpgrader(const std::string& programFolder);

// Writes the module's resource "UPGRADER" (type "UPGRADER") to the path as a new file (an
// existing file is never reused), reads it back and compares it with the resource. Returns
// the file still open so that nobody can change it until it is started; invalid, and
// `failure` set, when the resource is missing or any step fails.
ScopedFile WriteUpgrader(HMODULE module, const std::string& path, std::string& failure);

// The list of files to apply, beside the upgrader: "Upgrader.lst"; beside it "Upgrader.inf",
// the maker's signed information file.
std::string UpgraderListPath(const std::string& upgraderPath);

struct HandOverResult {
    std::string upgraderPath;  // the upgrader as written, in its new folder
    std::string failure;       // empty when the upgrader was started
};

// Creates a new folder with an unpredictable name for this hand-over, writes the upgrader from
// the module and the list of files it applies into it, checks both, and starts the upgrader
// for the program at programPath, whose process (processId) it waits for. On any failure
// nothing is started, the downloaded files stay, and `failure` says what went wrong.
HandOverResult HandOverToUpgrader(HMODULE module, DWORD processId, const std::string& programPath,
                                  const std::string& restartParams, bool externalSetup, const UpgradePlan& plan);
