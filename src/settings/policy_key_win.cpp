#include "settings/policy_key_win.h"

#include <windows.h>

#include "platform/registry_value_win.h"
#include "platform/scoped_win.h"

std::string ReadPolicyValue(const std::string& name) {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPolicyKeyPath, 0, KEY_READ | KEY_WOW64_32KEY, key.Receive()) !=
        ERROR_SUCCESS) {
        return "";
    }
    return QueryStringValue(key.Get(), name).value_or("");
}
