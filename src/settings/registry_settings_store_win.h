#pragma once
#include "settings/settings_store.h"

#include <windows.h>

// The settings key in the registry, always in the 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE
// (WOW6432Node on 64-bit Windows): the view the 32-bit installer writes, so that the 32-bit
// and the 64-bit build of the program and any tool a user has share one key.
class RegistrySettingsStore : public SettingsStore {
public:
    static constexpr const char* kKeyPath = "SOFTWARE\\Quenwick\\Lurkmark";
    // Added to the access of every open and create of the key.
    static constexpr REGSAM kKeyView = KEY_WOW64_32KEY;

    bool KeyExists() override;
    std::string Read(const std::string& name) override;
    void Write(const std::string& name, const std::string& value) override;
    void WriteCreatingKey(const std::string& name, const std::string& value) override;
};
