#include "upgrader/upgrader_command.h"

std::string ComposeUpgraderCommandLine(const std::string& upgraderPath, unsigned long processId,
                                       const std::string& programPath, const std::string& restartParams,
                                       bool externalSetup) {
    // An empty restart argument travels as one blank.
    const std::string restart = restartParams.empty() ? " " : restartParams;
    return "\"" + upgraderPath + "\" " + std::to_string(processId) + " \"" + programPath + "\" +" + restart +
           (externalSetup ? "1" : "0");
}

std::string ComposeUpgradeList(const UpgradePlan& plan) {
    std::string list = plan.downloadFolder.empty() ? "" : "D|" + plan.downloadFolder + "\r\n";
    for (const FileReplacement& r : plan.replacements) {
        list += (r.targetName == plan.setupName ? "S|" : "F|") + r.sha256 + "|" + r.temporaryName + "|" +
                r.targetName + "\r\n";
    }
    return list;
}
