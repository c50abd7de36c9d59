#include "sysinfo/machine_registry_win.h"

#include "platform/registry_value_win.h"
#include "platform/scoped_win.h"

std::optional<std::map<std::string, std::string>> ReadMachineStrings(const std::string& path,
                                                                     const std::vector<std::string>& names) {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::map<std::string, std::string> values;
    for (const std::string& name : names) {
        if (std::optional<std::string> value = QueryStringValue(key.Get(), name)) values[name] = *value;
    }
    return values;
}
