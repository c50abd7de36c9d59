#pragma once
#include <string>

#include "sysinfo/display_driver.h"

// Asks an ATI display driver for its clocks through the driver's private query escape.
// Lives only for one probe.
class TRadeonInfo {
public:
    static constexpr int kQueryEscape = 0x7306;
    static constexpr std::uint32_t kClockQuery = 0x00110013;
    static constexpr std::uint32_t kAdapterQuery = 0x00400103;
    static constexpr std::size_t kClockReplySize = 80;
    static constexpr std::size_t kAdapterReplySize = 64;

    explicit TRadeonInfo(DisplayDriverTransport& driver) : driver_(driver) {}

    // True when "\\.\DISPLAY1" is an ATI adapter whose clocks could be read.
    bool query();

    double engineClock = 0;  // MHz
    double memoryClock = 0;  // MHz
    std::string adapterName;

private:
    bool sendQuery(std::uint32_t code, std::size_t replySize, ByteBlock& reply);
    bool isAtiAdapter();

    DisplayDriverTransport& driver_;
};

// What the ATI probe found for the report's ATI block.
struct AtiAdapterInfo {
    bool recognised = false;
    std::string adapterName;
    std::string vpuSpeed;     // "400.00 MHz"
    std::string memorySpeed;  // "490.00 MHz"
    std::string busType;      // cut before its first "("
    std::string memoryType;   // only decides whether the bus type is shown
};

AtiAdapterInfo probeAti(DisplayDriverTransport& driver, const std::string& decimalSeparator);
