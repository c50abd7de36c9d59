#pragma once
#include "sysinfo/system_info_provider.h"

// The machine as Windows and the processor report it.
class WinSystemInfoProvider : public SystemInfoProvider {
public:
    std::string osProductName() override;
    // The 64-bit total: the older memory status stops at 2 GiB in a 32-bit program.
    std::uint64_t totalPhysicalMemory() override;
    std::string cpuName() override;
    // The time-stamp counter measured against the performance counter; 0 without either.
    unsigned cpuSpeedMHz() override;
};
