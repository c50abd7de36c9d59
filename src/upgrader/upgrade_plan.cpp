#include "upgrader/upgrade_plan.h"

#include "platform/ascii_case.h"

namespace {

constexpr const char* kTemporarySuffix = ".utmp";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

UpgradePlan PlanUpgrade(const std::vector<std::string>& temporaryNames, const std::string& programFileName,
                        bool externalSetup) {
    bool programDownloaded = false;
    for (const std::string& name : temporaryNames) {
        if (AsciiLower(name) == AsciiLower(programFileName) + kTemporarySuffix) programDownloaded = true;
    }
    UpgradePlan plan;
    bool exeSeen = programDownloaded;
    const std::size_t suffixLength = std::string(kTemporarySuffix).size();
    for (const std::string& name : temporaryNames) {
        const std::string lower = AsciiLower(name);
        if (lower.size() <= suffixLength || !EndsWith(lower, kTemporarySuffix)) continue;
        FileReplacement r{name, name.substr(0, name.size() - suffixLength), ""};
        if (!exeSeen && EndsWith(AsciiLower(r.targetName), "exe")) {
            exeSeen = true;
            if (externalSetup) {
                plan.setupName = r.targetName;
            } else {
                r.targetName = programFileName;
            }
        }
        plan.replacements.push_back(r);
    }
    return plan;
}
