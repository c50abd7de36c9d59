#pragma once
#include <windows.h>

#include <string>

// The upgrader's place: the system's temporary folder, or the program's own folder when
// that is missing, with "Upgrader.exe" appended.
std::string UpgraderPath(const std::string& programFolder);

// A leftover upgrader from an earlier update.
void DeleteLeftoverUpgrader(const std::string& programFolder);

// Writes the module's resource "UPGRADER" (type "UPGRADER") to the path, created anew and
// marked temporary. False when the resource is missing or the file cannot be written.
bool WriteUpgrader(HMODULE module, const std::string& path);

// Writes the upgrader from the module and starts it for the program at programPath. Neither
// step is checked: the program ends in any case, and without an upgrader the downloaded
// files simply stay unapplied.
void HandOverToUpgrader(HMODULE module, const std::string& programPath, const std::string& restartParams,
                        bool externalSetup);
