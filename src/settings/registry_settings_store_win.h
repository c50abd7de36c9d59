#pragma once
#include "settings/settings_store.h"

// The settings key in the registry. A 32-bit program on 64-bit Windows sees the 32-bit view
// of HKEY_LOCAL_MACHINE\SOFTWARE (WOW6432Node), the same view a 32-bit installer writes.
class RegistrySettingsStore : public SettingsStore {
public:
    static constexpr const char* kKeyPath = "SOFTWARE\\Quenwick\\Lurkmark";

    bool KeyExists() override;
    std::string Read(const std::string& name) override;
    void Write(const std::string& name, const std::string& value) override;
    void WriteCreatingKey(const std::string& name, const std::string& value) override;
};
