#include "sysinfo/display_driver_win.h"

#include <cstring>

#include "platform/scoped_win.h"
#include "sysinfo/machine_registry_win.h"

namespace {

// The driver's layout: a 424-byte result structure.
static_assert(sizeof(DISPLAY_DEVICEA) == 424, "DISPLAY_DEVICEA layout");

template <std::size_t N>
std::string FieldText(const CHAR (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

}  // namespace

EscapeResult WinDisplayDriver::escape(EscapeRequest& request) {
    EscapeResult result;
    ScopedCreatedDc dc(CreateDCA(request.device.c_str(), nullptr, nullptr, nullptr));
    if (!dc) return result;
    result.dcCreated = true;
    if (!request.data.empty()) StoreU64(request.input, 16, reinterpret_cast<std::uintptr_t>(request.data.data()));
    result.returned = ExtEscape(dc.Get(), request.number, static_cast<int>(request.input.size()),
                                reinterpret_cast<LPCSTR>(request.input.data()), static_cast<int>(request.output.size()),
                                reinterpret_cast<LPSTR>(request.output.data()));
    // The probe asks whether the context went away cleanly, so it is deleted here by hand.
    result.dcDeleted = DeleteDC(dc.Detach()) != FALSE;
    return result;
}

std::optional<DisplayAdapter> WinDisplayDriver::adapter(unsigned index) {
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA(nullptr, index, &device, 0)) return std::nullopt;
    return DisplayAdapter{FieldText(device.DeviceName), FieldText(device.DeviceString), FieldText(device.DeviceID)};
}

std::optional<RegistryValues> WinDisplayDriver::readMachineKey(const std::string& path,
                                                               const std::vector<std::string>& names) {
    return ReadMachineStrings(path, names);
}
