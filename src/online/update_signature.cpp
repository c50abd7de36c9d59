#include "online/update_signature.h"

#include <climits>

#include "upgrader/signed_information.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string TrimBlanks(const std::string& text) {
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && IsBlank(text[start])) ++start;
    while (end > start && IsBlank(text[end - 1])) --end;
    return text.substr(start, end - start);
}

}  // namespace

std::optional<std::string> DecodeHex(const std::string& hex, std::size_t bytes) {
    if (hex.size() != bytes * 2) return std::nullopt;
    std::string raw(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i) {
        const int high = HexValue(hex[2 * i]);
        const int low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        raw[i] = static_cast<char>(high * 16 + low);
    }
    return raw;
}

std::optional<SignedText> SplitSignedText(const std::string& text) {
    // Split as the upgrader splits the file it is handed, by the same code.
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    int messageLength = 0;
    unsigned char signature[kInformationSignatureBytes];
    if (!SplitSignedInformation(text.data(), static_cast<int>(text.size()), &messageLength, signature)) {
        return std::nullopt;
    }
    return SignedText{text.substr(0, static_cast<std::size_t>(messageLength)),
                      std::string(reinterpret_cast<const char*>(signature), sizeof signature)};
}

std::optional<std::string> ReadDetachedSignature(const std::string& text) {
    return DecodeHex(TrimBlanks(text), kSignatureBytes);
}

bool Sha256Matches(const std::string& expectedHex, const std::string& digest) {
    const auto expected = DecodeHex(expectedHex, kSha256Bytes);
    return expected && digest.size() == kSha256Bytes && *expected == digest;
}
