#pragma once
#include <string>

#include "upgrader/upgrade_plan.h"

// What the program hands to its upgrader (read by upgrader_input.h):
//   "{upgrader}" {process id} "{program}" +{restart argument}{0 or 1}
// the last digit 1 meaning that the downloaded files include an external setup program.
// The process id lets the upgrader wait for exactly this program to end. Both paths are
// quoted, so that a path with blanks is not split into a different program by the system.
std::string ComposeUpgraderCommandLine(const std::string& upgraderPath, unsigned long processId,
                                       const std::string& programPath, const std::string& restartParams,
                                       bool externalSetup);

// The list of files the upgrader applies: first "D|{download folder}" when the downloads lie
// outside the program's folder, then one line each: "F" (or "S" for the setup program), the
// SHA-256 in hex, the temporary name and the target name, separated by "|".
std::string ComposeUpgradeList(const UpgradePlan& plan);
