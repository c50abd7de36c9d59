#pragma once
#include <optional>
#include <string>

// Seals a secret so that only the account that sealed it can open it again (on Windows the
// data protection API in the user's scope).
class SecretSealer {
public:
    virtual ~SecretSealer() = default;
    // Nothing when the system cannot seal it.
    virtual std::optional<std::string> Seal(const std::string& secret) = 0;
    // Nothing when it was sealed by another account, on another PC, or is damaged.
    virtual std::optional<std::string> Open(const std::string& sealed) = 0;
};

// The start of a sealed "ProxyPassword": the sealed bytes follow in base64 without line
// breaks. ":" is outside the base64 alphabet, so no value of the older plain base64 form
// starts with it.
constexpr const char* kSealedPasswordPrefix = "DPAPI:";

// The "ProxyPassword" text for a password: sealed. Throws std::runtime_error when the system
// cannot seal it, so that no password is ever stored readable by other accounts.
std::string EncodeStoredPassword(const std::string& password, SecretSealer& sealer);

// The password from a "ProxyPassword" text of either form: sealed, or the older plain MIME
// base64. A sealed text that this account cannot open gives nothing.
std::optional<std::string> DecodeStoredPassword(const std::string& stored, SecretSealer& sealer);
