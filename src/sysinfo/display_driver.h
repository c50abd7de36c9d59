#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The display driver as the adapter probes see it: driver escapes, the adapter list and the
// driver's registry keys. The Win32 half talks to the real driver; tests replay recorded
// replies, so the decoding and the rules are checked without the hardware.

using ByteBlock = std::vector<std::uint8_t>;

// Little-endian fields of escape blocks; the block must hold the field.
std::uint32_t LoadU32(const ByteBlock& block, std::size_t offset);
void StoreU32(ByteBlock& block, std::size_t offset, std::uint32_t value);
void StoreU64(ByteBlock& block, std::size_t offset, std::uint64_t value);

// One escape: a device context created for `device`, the escape sent, the context deleted.
struct EscapeRequest {
    std::string device;  // the first argument of CreateDCA
    int number = 0;
    ByteBlock input;
    ByteBlock output;  // sent as filled, holds the driver's reply afterwards
    // For escapes whose input block carries the address of a data block at offset 16: sent
    // as filled, holds the reply afterwards. The transport writes its address into the input.
    ByteBlock data;
};

struct EscapeResult {
    bool dcCreated = false;
    int returned = 0;  // the escape call's return value; 0 when no device context was made
    bool dcDeleted = false;
};

// One entry of the display adapter enumeration.
struct DisplayAdapter {
    std::string deviceName;    // "\\.\DISPLAY1"
    std::string deviceString;  // the adapter's name
    std::string deviceId;      // "PCI\VEN_1002&DEV_..."
};

// String values of one key, by value name.
using RegistryValues = std::map<std::string, std::string>;

class DisplayDriverTransport {
public:
    virtual ~DisplayDriverTransport() = default;
    virtual EscapeResult escape(EscapeRequest& request) = 0;
    // The adapter at this index of the enumeration; nullopt when the enumeration ends there.
    virtual std::optional<DisplayAdapter> adapter(unsigned index) = 0;
    // The named string values of an HKEY_LOCAL_MACHINE key opened for reading (path without
    // a leading backslash); absent values are left out. nullopt when the key cannot be opened.
    virtual std::optional<RegistryValues> readMachineKey(const std::string& path,
                                                         const std::vector<std::string>& names) = 0;
};
