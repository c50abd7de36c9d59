#pragma once
#include <functional>
#include <string>

#include "settings/settings_store.h"

// The text that tells the user why no option can be stored.
extern const char* const kMissingSettingsKeyNotice;

// The window's settings store. Without the settings key every stored option would fail on
// its own, one error box per value; instead the user hears once per start that the key is
// missing and how to create it, and the writes after that fail quietly until it exists.
class SettingsKeyNotice : public SettingsStore {
public:
    SettingsKeyNotice(SettingsStore& store, std::function<void(const std::string&)> tell)
        : store_(store), tell_(std::move(tell)) {}

    bool KeyExists() override { return store_.KeyExists(); }
    std::string Read(const std::string& name) override { return store_.Read(name); }
    void Write(const std::string& name, const std::string& value) override;
    void WriteCreatingKey(const std::string& name, const std::string& value) override {
        store_.WriteCreatingKey(name, value);
    }

private:
    SettingsStore& store_;
    std::function<void(const std::string&)> tell_;
    bool told_ = false;
};
