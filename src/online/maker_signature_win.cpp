#include "online/maker_signature_win.h"

#include <windows.h>

#include <vector>

#include "platform/maker_public_key.h"
#include "online/update_signature.h"
#include "platform/scoped_win.h"
#include "platform/sha256_win.h"

namespace {

const unsigned char* Bytes(const std::string& text) { return reinterpret_cast<const unsigned char*>(text.data()); }

}  // namespace

bool IsSignedByMaker(const std::string& message, const std::string& signature) {
    if (signature.size() != kSignatureBytes) return false;
    unsigned char digest[kSha256DigestBytes];
    return Sha256Of(message.data(), message.size(), digest) &&
           VerifyP256Signature(kMakerPublicKey, digest, Bytes(signature));
}

std::optional<std::string> FileSha256(const std::string& path) {
    // Nobody may write the file while it is read, so the digest is of one version of it.
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    Sha256State state;
    if (!Sha256Begin(state)) return std::nullopt;
    std::vector<char> block(64 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) {
            Sha256Abandon(state);
            return std::nullopt;
        }
        if (read == 0) break;
        if (!Sha256Add(state, block.data(), read)) {
            Sha256Abandon(state);
            return std::nullopt;
        }
    }
    unsigned char digest[kSha256DigestBytes];
    if (!Sha256End(state, digest)) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(digest), sizeof digest);
}
