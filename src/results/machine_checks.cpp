#include "results/machine_checks.h"

#include <cmath>

#include "platform/ascii_case.h"

namespace {

constexpr double kRefreshTolerance = 0.015;
const char kPowerSaverPlan[] = "a1841308-3541-4fab-bc81-f71556f20b4a";

bool NearRefreshPattern(double score, int refreshHz) {
    for (int divisor = 1; divisor <= 3; ++divisor) {
        const double target = static_cast<double>(refreshHz) / divisor;
        if (std::fabs(score - target) <= kRefreshTolerance * target) return true;
    }
    return false;
}

std::string WholePercent(double percent) { return std::to_string(static_cast<long>(std::lround(percent))); }

}  // namespace

std::vector<RunFlag> RefreshCapFlags(const std::vector<RunRecord>& runs, std::optional<int> refreshHz) {
    if (!refreshHz || *refreshHz <= 1) return {};
    bool anyScored = false;
    for (const RunRecord& run : runs) {
        if (!run.score) continue;
        anyScored = true;
        if (!NearRefreshPattern(*run.score, *refreshHz)) return {};
    }
    if (!anyScored) return {};
    return {{"refreshCap", "The frame rate sits at the display's refresh rate of " + std::to_string(*refreshHz) +
                               " Hz (or its half or third): vertical sync or a frame limiter held the game back."}};
}

bool IsResolutionFlag(const RunFlag& flag) { return flag.code == "refreshCap"; }

std::optional<double> BusyPercent(const ProcessorTimes& before, const ProcessorTimes& after) {
    // Unsigned differences stay right across a wrap of the counters.
    const std::uint64_t idle = after.idle - before.idle;
    const std::uint64_t total = (after.kernel - before.kernel) + (after.user - before.user);
    if (total == 0) return std::nullopt;
    if (idle >= total) return 0.0;
    return 100.0 * static_cast<double>(total - idle) / static_cast<double>(total);
}

std::vector<RunFlag> BusyMachineFlags(const std::optional<BusyReading>& reading) {
    if (!reading || !(reading->percent > kBusyLimitPercent)) return {};
    std::string text = "The processor was " + WholePercent(reading->percent) +
                       " % busy with other work before the game started";
    if (!reading->busiest.empty()) text += " (busiest: " + reading->busiest + ")";
    return {{"busyMachine", text + "."}};
}

bool IsPowerSaverPlan(const std::string& guid) {
    std::string bare = guid;
    if (bare.size() == 38 && bare.front() == '{' && bare.back() == '}') bare = bare.substr(1, 36);
    return AsciiLower(bare) == kPowerSaverPlan;
}

std::string PowerSourceName(const std::optional<bool>& onBattery) {
    if (!onBattery) return "";
    return *onBattery ? "battery" : "mains";
}

std::vector<RunFlag> PowerFlags(const PowerReading& power) {
    std::vector<RunFlag> flags;
    if (power.onBattery.value_or(false)) {
        flags.push_back({"onBattery", "The machine ran on battery: Windows lowers the processor's and the graphics "
                                      "card's clocks to save power."});
    }
    if (IsPowerSaverPlan(power.planGuid)) {
        const std::string name = power.planName.empty() ? std::string("the energy-saving plan") : power.planName;
        flags.push_back({"powerSaver", "The active power plan was " + name +
                                           ", which lowers the processor's clocks to save energy."});
    }
    return flags;
}

std::vector<RunFlag> PlanNotSwitchedFlags(const std::string& reason) {
    if (reason.empty()) return {};
    return {{"planNotSwitched", "The High performance power plan could not be used (" + reason +
                                    "); the pass ran on the active plan."}};
}
