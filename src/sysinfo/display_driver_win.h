#pragma once
#include "sysinfo/display_driver.h"

// The real display driver: GDI device contexts and escapes, the adapter enumeration and the
// registry of HKEY_LOCAL_MACHINE.
class WinDisplayDriver : public DisplayDriverTransport {
public:
    EscapeResult escape(EscapeRequest& request) override;
    std::optional<DisplayAdapter> adapter(unsigned index) override;
    std::optional<RegistryValues> readMachineKey(const std::string& path, const std::vector<std::string>& names) override;
};
