#include "settings/stored_password.h"

#include <stdexcept>

#include "settings/base64.h"

namespace {

bool IsSealed(const std::string& stored) {
    return stored.compare(0, std::string(kSealedPasswordPrefix).size(), kSealedPasswordPrefix) == 0;
}

std::string WithoutLineBreaks(std::string text) {
    std::string out;
    for (char c : text) {
        if (c != '\r' && c != '\n') out += c;
    }
    return out;
}

}  // namespace

std::string EncodeStoredPassword(const std::string& password, SecretSealer& sealer) {
    const std::optional<std::string> sealed = sealer.Seal(password);
    if (!sealed) throw std::runtime_error("Cannot protect the proxy password");
    return kSealedPasswordPrefix + WithoutLineBreaks(EncodeBase64Mime(*sealed));
}

std::optional<std::string> DecodeStoredPassword(const std::string& stored, SecretSealer& sealer) {
    if (!IsSealed(stored)) return DecodeBase64Mime(stored);
    return sealer.Open(DecodeBase64Mime(stored.substr(std::string(kSealedPasswordPrefix).size())));
}
