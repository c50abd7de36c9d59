#pragma once
#include <string>
#include <vector>

// Which downloaded "{name}.uTMP" files in the program's folder replace which files.
struct FileReplacement {
    std::string temporaryName;  // "{name}.uTMP"
    std::string targetName;
};

struct UpgradePlan {
    std::vector<FileReplacement> replacements;
    // Under external setup: the target that is the setup program, run before the program
    // starts again and deleted after it; empty when there is none.
    std::string setupName;
};

// temporaryNames: the folder's "*.uTMP" file names in the order the folder lists them.
// The first target ending in "exe" (in any case) is, when no "{program file name}.uTMP"
// was downloaded, the new program under self-upgrade (it takes the program's file name)
// or the setup program under external setup.
UpgradePlan PlanUpgrade(const std::vector<std::string>& temporaryNames, const std::string& programFileName,
                        bool externalSetup);
