#include "sysinfo/display_class_probe.h"

#include <algorithm>

namespace {

constexpr const char* kClassKey =
    "SYSTEM\\ControlSet001\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000";
constexpr const char* kClassDevice = "DISPLAY";

constexpr std::size_t kInputSize = 32;
constexpr std::size_t kOutputSize = 32;
constexpr std::size_t kDataSize = 16;
constexpr std::size_t kStatusOffset = 28;   // in the output block
constexpr std::size_t kCoreClockOffset = 8;  // in the data block
constexpr std::size_t kMemoryClockOffset = 12;

}  // namespace

std::uint32_t WholeMHz(std::uint32_t hz) { return static_cast<std::uint32_t>((std::uint64_t{hz} + 500000) / 1000000); }

std::uint32_t FastestOfSeveral(const std::vector<std::uint32_t>& clocks) {
    if (clocks.size() < 2) return 0;
    return *std::max_element(clocks.begin(), clocks.end());
}

DisplayClassProbe::LevelClocks DisplayClassProbe::clocksOfLevel(std::uint32_t level) {
    EscapeRequest request;
    request.device = kClassDevice;
    request.number = kClockEscape;
    request.input.assign(kInputSize, 0);
    StoreU32(request.input, 8, kClockFunction);
    // Offset 16 holds the data block's address, written by the transport.
    StoreU64(request.input, 24, kDataSize);
    request.output.assign(kOutputSize, 0);
    request.data.assign(kDataSize, 0);
    StoreU32(request.data, 0, level);

    const EscapeResult result = driver_.escape(request);
    // The escape call reports failure as 0 and errors as negative values.
    if (!result.dcCreated || result.returned <= 0 || !result.dcDeleted) return {};
    if (LoadU32(request.output, kStatusOffset) != 0) return {};
    return {LoadU32(request.data, kCoreClockOffset), LoadU32(request.data, kMemoryClockOffset)};
}

DisplayClassInfo DisplayClassProbe::probe() {
    DisplayClassInfo info;
    const std::optional<RegistryValues> key = driver_.readMachineKey(kClassKey, {"DriverDesc"});
    if (!key) return info;
    if (auto name = key->find("DriverDesc"); name != key->end()) info.adapterName = name->second;

    std::vector<std::uint32_t> core;
    std::vector<std::uint32_t> memory;
    for (int level = 0; level < kLevels; ++level) {
        const LevelClocks clocks = clocksOfLevel(static_cast<std::uint32_t>(level));
        // A level that failed or reports no clock is left out of the lists.
        if (std::uint32_t mhz = WholeMHz(clocks.coreHz)) core.push_back(mhz);
        if (std::uint32_t mhz = WholeMHz(clocks.memoryHz)) memory.push_back(mhz);
    }
    const std::uint32_t gpu = FastestOfSeveral(core);
    const std::uint32_t mem = FastestOfSeveral(memory);
    info.gpuSpeed = std::to_string(gpu) + " MHz";
    info.memorySpeed = std::to_string(mem) + " MHz";
    info.recognised = gpu != 0 && mem != 0;
    return info;
}
