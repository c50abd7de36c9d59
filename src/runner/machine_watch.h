#pragma once
#include <optional>
#include <string>

#include "results/machine_checks.h"

// What a pass reads of the machine beside the game: the display's refresh rate, how busy the
// processor is, the power source and plan; and the one thing it changes, the power plan.
class MachineWatch {
public:
    virtual ~MachineWatch() = default;
    // Hz of the display mode of that size the game would be given; none when unknown.
    virtual std::optional<int> RefreshRate(int width, int height) = 0;
    // Begins measuring the processor; ProcessorBusy gives what it did since (none: unknown).
    virtual void StartProcessorSample() = 0;
    virtual std::optional<BusyReading> ProcessorBusy() = 0;
    virtual PowerReading Power() = 0;
    // Makes the plan active: empty when done, else why it could not be.
    virtual std::string SetActivePlan(const std::string& guid) = 0;
};
