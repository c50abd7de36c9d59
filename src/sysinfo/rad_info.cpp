#include "sysinfo/rad_info.h"

#include <cmath>

#include "sysinfo/machine_text.h"

namespace {

constexpr const char* kAtiDevice = "\\\\.\\DISPLAY1";
constexpr const char* kAtiVendorId = "1002";
constexpr const char* kAsicKey = "SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\ASIC";
constexpr const char* kMemoryKey = "SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\Memory";

// Clock fields of the clock reply, in units of 10 kHz.
constexpr std::size_t kMemoryClockOffset = 12;
constexpr std::size_t kEngineClockOffset = 44;

// The registry's remark in parentheses is dropped, the blank before it kept: "AGP 8X ".
std::string CutAtParenthesis(const std::string& text) { return text.substr(0, text.find('(')); }

std::string ClockText(double mhz, const std::string& decimalSeparator) {
    return DecimalText(static_cast<std::uint64_t>(std::llround(mhz * 100)), 2, decimalSeparator) + " MHz";
}

}  // namespace

bool TRadeonInfo::sendQuery(std::uint32_t code, std::size_t replySize, ByteBlock& reply) {
    EscapeRequest request;
    request.device = kAtiDevice;
    request.number = kQueryEscape;
    request.input.assign(16, 0);
    StoreU32(request.input, 0, 16);
    StoreU32(request.input, 4, code);
    request.output.assign(replySize, 0);
    StoreU32(request.output, 0, static_cast<std::uint32_t>(replySize));
    const EscapeResult result = driver_.escape(request);
    reply = std::move(request.output);
    // This driver answers its private escape with 0 on success. A driver without the escape
    // answers 0 too, leaving the reply zero-filled; the vendor test then turns it away.
    return result.dcCreated && result.returned == 0;
}

bool TRadeonInfo::isAtiAdapter() {
    std::optional<DisplayAdapter> last;
    for (unsigned index = 0;; ++index) {
        std::optional<DisplayAdapter> adapter = driver_.adapter(index);
        if (!adapter) break;
        last = std::move(adapter);
        if (last->deviceName == kAtiDevice) {
            adapterName = last->deviceString;
            break;
        }
    }
    // The vendor digits of "PCI\VEN_1002&DEV_...".
    return last && last->deviceId.size() >= 12 && last->deviceId.compare(8, 4, kAtiVendorId) == 0;
}

bool TRadeonInfo::query() {
    ByteBlock reply;
    if (!sendQuery(kClockQuery, kClockReplySize, reply)) return false;
    engineClock = LoadU32(reply, kEngineClockOffset) / 100.0;
    memoryClock = LoadU32(reply, kMemoryClockOffset) / 100.0;
    // Current drivers of this vendor still accept the escape but leave the clocks at 0: the
    // query was not answered, and "0.00 MHz" would be a false claim about the card.
    if (engineClock == 0) return false;
    if (!sendQuery(kAdapterQuery, kAdapterReplySize, reply)) return false;
    return isAtiAdapter();
}

AtiAdapterInfo probeAti(DisplayDriverTransport& driver, const std::string& decimalSeparator) {
    AtiAdapterInfo info;
    TRadeonInfo radeon(driver);
    if (!radeon.query()) return info;
    info.recognised = true;
    info.adapterName = radeon.adapterName;
    info.vpuSpeed = ClockText(radeon.engineClock, decimalSeparator);
    info.memorySpeed = ClockText(radeon.memoryClock, decimalSeparator);

    const std::optional<RegistryValues> asic = driver.readMachineKey(kAsicKey, {"Bus Type"});
    if (!asic) return info;
    if (auto bus = asic->find("Bus Type"); bus != asic->end()) info.busType = CutAtParenthesis(bus->second);
    if (const std::optional<RegistryValues> memory = driver.readMachineKey(kMemoryKey, {"Type"})) {
        if (auto type = memory->find("Type"); type != memory->end()) info.memoryType = CutAtParenthesis(type->second);
    }
    return info;
}
