#pragma once
#include <string>

// The settings key: HKEY_LOCAL_MACHINE "SOFTWARE\Quenwick\Lurkmark", every value a
// code page 1252 string. Each access opens the key afresh and never creates it.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool KeyExists() = 0;
    // Missing key or value (or a value that is not a string): empty text.
    virtual std::string Read(const std::string& name) = 0;
    // Throws std::runtime_error "Failed to set data for '{name}'" when it cannot write.
    virtual void Write(const std::string& name, const std::string& value) = 0;
    // The one kind of write that creates the key when it is missing.
    virtual void WriteCreatingKey(const std::string& name, const std::string& value) = 0;
};

// The error text of a failed write.
std::string FailedToSetDataMessage(const std::string& name);
