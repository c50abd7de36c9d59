#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "results/run_record.h"

// Checks of the machine a pass ran on: a frame rate held at the display's refresh rate, a
// processor busy with other work, a battery or an energy-saving power plan. Each finding is
// a RunFlag like those of the console log checks.

// refreshCap: every scored run of the resolution lies within 1.5 % of the refresh rate or of
// its half or third. One run off that pattern, or no refresh rate known, gives no flag.
std::vector<RunFlag> RefreshCapFlags(const std::vector<RunRecord>& runs, std::optional<int> refreshHz);
// True for a flag that speaks of a resolution's runs together rather than of one run.
bool IsResolutionFlag(const RunFlag& flag);

// The system's processor times as the operating system counts them, in any one unit. As on
// Windows, the kernel time includes the idle time.
struct ProcessorTimes {
    std::uint64_t idle = 0;
    std::uint64_t kernel = 0;
    std::uint64_t user = 0;
};
// The share of the whole processor (all its cores) that was busy between two samples, in
// percent; none when no time passed. Counters that wrapped between the samples still count
// the time that passed.
std::optional<double> BusyPercent(const ProcessorTimes& before, const ProcessorTimes& after);

// How busy the processor was while the program waited before a game start; busiest: the
// file name of the process (other than this program) that used most of it, or empty.
struct BusyReading {
    double percent = 0;
    std::string busiest;
};
constexpr double kBusyLimitPercent = 15.0;
// busyMachine above the limit.
std::vector<RunFlag> BusyMachineFlags(const std::optional<BusyReading>& reading);

// The power plan's identity as Windows writes a GUID, in any case, with or without braces.
bool IsPowerSaverPlan(const std::string& guid);
constexpr const char* kHighPerformancePlan = "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";

// The machine's power at the game starts of a pass.
struct PowerReading {
    std::optional<bool> onBattery;  // none: the system does not know
    std::string planGuid;           // empty: no plan could be read
    std::string planName;           // the plan's name as Windows shows it
};
// "battery", "mains", or empty when unknown.
std::string PowerSourceName(const std::optional<bool>& onBattery);
// onBattery when the machine ran on battery; powerSaver when the energy-saving plan was active.
std::vector<RunFlag> PowerFlags(const PowerReading& power);
// planNotSwitched: the High performance plan asked for could not be made active.
std::vector<RunFlag> PlanNotSwitchedFlags(const std::string& reason);
