#include "sysinfo/computer_identity_win.h"

#include <windows.h>

#include "platform/registry_value_win.h"
#include "platform/scoped_win.h"
#include "sysinfo/computer_identity.h"

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

std::string MachineGuid() {
    // The value lives in the 64-bit view only: a 32-bit program must ask for that view.
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Cryptography", 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                      key.Receive()) != ERROR_SUCCESS) {
        return "";
    }
    const std::optional<std::string> guid = QueryStringValue(key.Get(), "MachineGuid");
    return guid ? CheckedMachineGuid(*guid) : "";
}
