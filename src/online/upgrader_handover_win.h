#pragma once
#include <windows.h>

#include <string>

#include "upgrader/upgrade_plan.h"

// The upgrader's place: the system's temporary folder, or the program's own folder when
// that is missing, with "Upgrader.exe" appended.
std::string UpgraderPath(const std::string& programFolder);

// A leftover upgrader from an earlier update.
void DeleteLeftoverUpgrader(const std::string& programFolder);

// Writes the module's resource "UPGRADER" (type "UPGRADER") to the path, created anew and
// marked temporary. False when the resource is missing or the file cannot be written.
bool WriteUpgrader(HMODULE module, const std::string& path);

// The list of files to apply, beside the upgrader: "Upgrader.lst".
std::string UpgraderListPath(const std::string& upgraderPath);

// Writes the upgrader from the module and the list of files it applies, and starts it for
// the program at programPath, whose process (processId) it waits for. Neither step is checked:
// the program ends in any case, and without an upgrader (or its list) the downloaded files
// simply stay unapplied.
void HandOverToUpgrader(HMODULE module, DWORD processId, const std::string& programPath,
                        const std::string& restartParams, bool externalSetup, const UpgradePlan& plan);
