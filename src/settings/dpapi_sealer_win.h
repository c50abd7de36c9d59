#pragma once
#include "settings/stored_password.h"

// Windows' data protection (CryptProtectData) in the user's scope: only the same account on
// the same PC opens what it sealed. No prompt is ever shown.
class DpapiSealer : public SecretSealer {
public:
    std::optional<std::string> Seal(const std::string& secret) override;
    std::optional<std::string> Open(const std::string& sealed) override;
};
