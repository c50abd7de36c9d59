#pragma once
#include <cstdint>
#include <string>

// The four facts about the machine that the report's system lines show; read afresh at
// every pass. Nothing here fails: a fact that cannot be learnt comes back empty or 0.
class SystemInfoProvider {
public:
    virtual ~SystemInfoProvider() = default;
    virtual std::string osProductName() = 0;
    virtual std::uint64_t totalPhysicalMemory() = 0;  // bytes
    virtual std::string cpuName() = 0;                // at most 48 characters
    virtual unsigned cpuSpeedMHz() = 0;               // measured, normalised
};
