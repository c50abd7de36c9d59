#pragma once
#include <string>
#include <vector>

// Which downloaded "{name}.uTMP" files in the program's folder replace which files. The
// program plans this from the files it downloaded and verified; the upgrader applies
// exactly that list.
struct FileReplacement {
    std::string temporaryName;  // "{name}.uTMP"
    std::string targetName;
    std::string sha256;  // the published hash in hex, checked again right before replacing
};

struct UpgradePlan {
    // Where the downloads lie, with trailing backslash, when that is not the program's folder
    // (which a standard user may not write); empty for the program's folder.
    std::string downloadFolder;
    std::vector<FileReplacement> replacements;
    // Under external setup: the target that is the setup program, run before the program
    // starts again and deleted after it; empty when there is none.
    std::string setupName;
    // The maker's signed information file exactly as received: the elevated upgrader checks
    // its signature and the list against it itself.
    std::string signedInformation;
};

// temporaryNames: the downloaded "*.uTMP" file names in download order.
// The first target ending in "exe" (in any case) is, when no "{program file name}.uTMP"
// was downloaded, the new program under self-upgrade (it takes the program's file name)
// or the setup program under external setup.
UpgradePlan PlanUpgrade(const std::vector<std::string>& temporaryNames, const std::string& programFileName,
                        bool externalSetup);
