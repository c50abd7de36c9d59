#include "runner/power_plan_switch.h"

#include <stdexcept>

namespace {
const char* const kPlanBefore = "PowerPlanBefore";
}

std::string SwitchToHighPerformance(MachineWatch& watch, SettingsStore& settings, LogSink& log) {
    const PowerReading power = watch.Power();
    if (power.planGuid.empty()) return "Windows did not tell the active plan";
    if (power.planGuid == kHighPerformancePlan) return "";
    try {
        // Kept before the switch: a program that dies right after it still finds it.
        settings.Write(kPlanBefore, power.planGuid);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    const std::string failure = watch.SetActivePlan(kHighPerformancePlan);
    if (!failure.empty()) {
        try {
            settings.Write(kPlanBefore, "");
        } catch (const std::runtime_error& e) {
            // The kept plan is the active one: putting it back later changes nothing.
            log.Add(std::string("The kept power plan could not be cleared: ") + e.what());
        }
        return failure;
    }
    log.Add("Power plan: High performance for the pass (was " + power.planName + ")");
    return "";
}

void PutBackPowerPlan(MachineWatch& watch, SettingsStore& settings, LogSink& log) {
    const std::string before = settings.Read(kPlanBefore);
    if (before.empty()) return;
    const std::string failure = watch.SetActivePlan(before);
    if (!failure.empty()) {
        // Kept for the next try (the next pass's end or the next start).
        log.Add("The power plan could not be put back: " + failure);
        return;
    }
    log.Add("Power plan put back");
    try {
        settings.Write(kPlanBefore, "");
    } catch (const std::runtime_error& e) {
        // The plan is back; the next start only sets the same plan again.
        log.Add(std::string("The kept power plan could not be cleared: ") + e.what());
    }
}
