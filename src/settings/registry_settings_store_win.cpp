#include "settings/registry_settings_store_win.h"

#include <stdexcept>

#include "platform/registry_value_win.h"
#include "platform/scoped_win.h"

namespace {

ScopedRegKey OpenKey(REGSAM access) {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RegistrySettingsStore::kKeyPath, 0,
                      access | RegistrySettingsStore::kKeyView, key.Receive()) !=
        ERROR_SUCCESS) {
        key.Reset();
    }
    return key;
}

void SetString(HKEY key, const std::string& name, const std::string& value) {
    const LONG rc = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1));
    if (rc != ERROR_SUCCESS) throw std::runtime_error(FailedToSetDataMessage(name));
}

}  // namespace

bool RegistrySettingsStore::KeyExists() {
    return OpenKey(KEY_READ).Valid();
}

std::string RegistrySettingsStore::Read(const std::string& name) {
    ScopedRegKey key = OpenKey(KEY_READ);
    if (!key) return "";
    // Only strings are settings; a value of another type reads as missing.
    return QueryStringValue(key.Get(), name).value_or("");
}

void RegistrySettingsStore::Write(const std::string& name, const std::string& value) {
    ScopedRegKey key = OpenKey(KEY_SET_VALUE);
    if (!key) throw std::runtime_error(FailedToSetDataMessage(name));
    SetString(key.Get(), name, value);
}

void RegistrySettingsStore::WriteCreatingKey(const std::string& name, const std::string& value) {
    ScopedRegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | kKeyView, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error(FailedToSetDataMessage(name));
    }
    SetString(key.Get(), name, value);
}
