#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/display_driver.h"

// What the display class probe found for the report's display class block.
struct DisplayClassInfo {
    bool recognised = false;
    std::string adapterName;  // DriverDesc of the first display adapter class entry
    std::string gpuSpeed;     // "450 MHz"
    std::string memorySpeed;
};

// Reads the first display adapter's name from the display class key and its clocks from the
// driver's clock escape, asked for six performance levels.
class DisplayClassProbe {
public:
    static constexpr int kClockEscape = 0x7037;
    static constexpr std::uint32_t kClockFunction = 494;
    static constexpr int kLevels = 6;

    explicit DisplayClassProbe(DisplayDriverTransport& driver) : driver_(driver) {}
    DisplayClassInfo probe();

private:
    struct LevelClocks {
        std::uint32_t coreHz = 0;
        std::uint32_t memoryHz = 0;
    };
    LevelClocks clocksOfLevel(std::uint32_t level);

    DisplayDriverTransport& driver_;
};

// Hz to whole MHz, rounded half up: 399600000 -> 400.
std::uint32_t WholeMHz(std::uint32_t hz);

// The largest clock of a level list that holds at least two; 0 otherwise.
std::uint32_t FastestOfSeveral(const std::vector<std::uint32_t>& clocks);
