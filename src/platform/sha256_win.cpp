#include "platform/sha256_win.h"

#include <bcrypt.h>

namespace {

bool Ok(NTSTATUS status) { return status >= 0; }

}  // namespace

bool Sha256Begin(Sha256State& state) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!Ok(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) return false;
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (!Ok(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0))) {
        BCryptCloseAlgorithmProvider(algorithm, 0);
        return false;
    }
    state.algorithm = algorithm;
    state.hash = hash;
    return true;
}

bool Sha256Add(Sha256State& state, const void* data, std::size_t size) {
    // CNG takes at most 4 GB at once; pieces keep any size right.
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ULONG piece = size > 0x40000000u ? 0x40000000u : static_cast<ULONG>(size);
        if (!Ok(BCryptHashData(state.hash, const_cast<unsigned char*>(bytes), piece, 0))) return false;
        bytes += piece;
        size -= piece;
    }
    return true;
}

bool Sha256End(Sha256State& state, unsigned char digest[kSha256DigestBytes]) {
    const bool done = Ok(BCryptFinishHash(state.hash, digest, kSha256DigestBytes, 0));
    Sha256Abandon(state);
    return done;
}

void Sha256Abandon(Sha256State& state) {
    if (state.hash) BCryptDestroyHash(state.hash);
    if (state.algorithm) BCryptCloseAlgorithmProvider(state.algorithm, 0);
    state.hash = nullptr;
    state.algorithm = nullptr;
}

bool Sha256Of(const void* data, std::size_t size, unsigned char digest[kSha256DigestBytes]) {
    Sha256State state;
    if (!Sha256Begin(state)) return false;
    if (!Sha256Add(state, data, size)) {
        Sha256Abandon(state);
        return false;
    }
    return Sha256End(state, digest);
}

bool VerifyP256Signature(const unsigned char publicKey[64], const unsigned char digest[kSha256DigestBytes],
                         const unsigned char signature[64]) {
    struct {
        BCRYPT_ECCKEY_BLOB header;
        unsigned char xy[64];
    } blob;
    blob.header.dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
    blob.header.cbKey = 32;
    for (int i = 0; i < 64; ++i) blob.xy[i] = publicKey[i];

    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!Ok(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0))) return false;
    BCRYPT_KEY_HANDLE key = nullptr;
    bool valid = false;
    if (Ok(BCryptImportKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key, reinterpret_cast<PUCHAR>(&blob),
                               sizeof blob, 0))) {
        valid = BCryptVerifySignature(key, nullptr, const_cast<unsigned char*>(digest), kSha256DigestBytes,
                                      const_cast<unsigned char*>(signature), 64, 0) == 0;
        BCryptDestroyKey(key);
    }
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return valid;
}
