#include "platform/sha256_win.h"

#include <bcrypt.h>

#include "platform/maker_public_key.h"
#include "platform/system_library_win.h"

namespace {

bool Ok(NTSTATUS status) { return status >= 0; }

// bcrypt.dll is not one of Windows' known system libraries: imported the usual way it would be
// searched for in the program's folder first (for the upgrader, a temporary folder). It is
// loaded from the system folder instead, once; loading twice gives the same functions.
struct CngFunctions {
    decltype(&BCryptOpenAlgorithmProvider) OpenAlgorithmProvider;
    decltype(&BCryptCloseAlgorithmProvider) CloseAlgorithmProvider;
    decltype(&BCryptCreateHash) CreateHash;
    decltype(&BCryptHashData) HashData;
    decltype(&BCryptFinishHash) FinishHash;
    decltype(&BCryptDestroyHash) DestroyHash;
    decltype(&BCryptImportKeyPair) ImportKeyPair;
    decltype(&BCryptVerifySignature) VerifySignature;
    decltype(&BCryptDestroyKey) DestroyKey;
    decltype(&BCryptGenRandom) GenRandom;
};

bool Load(CngFunctions& functions) {
    const HMODULE library = LoadSystemLibrary(CngLibraryName());
    return library && FindFunction(library, "BCryptOpenAlgorithmProvider", functions.OpenAlgorithmProvider) &&
           FindFunction(library, "BCryptCloseAlgorithmProvider", functions.CloseAlgorithmProvider) &&
           FindFunction(library, "BCryptCreateHash", functions.CreateHash) &&
           FindFunction(library, "BCryptHashData", functions.HashData) &&
           FindFunction(library, "BCryptFinishHash", functions.FinishHash) &&
           FindFunction(library, "BCryptDestroyHash", functions.DestroyHash) &&
           FindFunction(library, "BCryptImportKeyPair", functions.ImportKeyPair) &&
           FindFunction(library, "BCryptVerifySignature", functions.VerifySignature) &&
           FindFunction(library, "BCryptDestroyKey", functions.DestroyKey) &&
           FindFunction(library, "BCryptGenRandom", functions.GenRandom);
}

enum : LONG { kNotLoaded, kLoading, kLoaded, kMissing };
CngFunctions cng;
volatile LONG cngState = kNotLoaded;

// Loaded once, even when a download's check and the help's check start together. Interlocked
// calls rather than a function-local static: its guard would bring the C++ library's threads
// and exceptions into the upgrader, which is plain Win32 code.
const CngFunctions* Cng() {
    if (InterlockedCompareExchange(&cngState, kLoading, kNotLoaded) == kNotLoaded) {
        InterlockedExchange(&cngState, Load(cng) ? kLoaded : kMissing);
    }
    LONG state;
    while ((state = InterlockedCompareExchange(&cngState, kLoading, kLoading)) == kLoading) Sleep(1);
    return state == kLoaded ? &cng : nullptr;
}

}  // namespace

bool CngAvailable() {
    return Cng() != nullptr;
}

bool Sha256Begin(Sha256State& state) {
    const CngFunctions* api = Cng();
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!api || !Ok(api->OpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) return false;
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (!Ok(api->CreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0))) {
        api->CloseAlgorithmProvider(algorithm, 0);
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
        if (!Ok(Cng()->HashData(state.hash, const_cast<unsigned char*>(bytes), piece, 0))) return false;
        bytes += piece;
        size -= piece;
    }
    return true;
}

bool Sha256End(Sha256State& state, unsigned char digest[kSha256DigestBytes]) {
    const bool done = Ok(Cng()->FinishHash(state.hash, digest, kSha256DigestBytes, 0));
    Sha256Abandon(state);
    return done;
}

void Sha256Abandon(Sha256State& state) {
    // A state with handles exists only once the functions were found.
    if (state.hash) Cng()->DestroyHash(state.hash);
    if (state.algorithm) Cng()->CloseAlgorithmProvider(state.algorithm, 0);
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

    const CngFunctions* api = Cng();
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!api || !Ok(api->OpenAlgorithmProvider(&algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0))) return false;
    BCRYPT_KEY_HANDLE key = nullptr;
    bool valid = false;
    if (Ok(api->ImportKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key, reinterpret_cast<PUCHAR>(&blob),
                              sizeof blob, 0))) {
        valid = api->VerifySignature(key, nullptr, const_cast<unsigned char*>(digest), kSha256DigestBytes,
                                     const_cast<unsigned char*>(signature), 64, 0) == 0;
        api->DestroyKey(key);
    }
    api->CloseAlgorithmProvider(algorithm, 0);
    return valid;
}

bool RandomBytes(void* buffer, unsigned long size) {
    const CngFunctions* api = Cng();
    return api && Ok(api->GenRandom(nullptr, static_cast<PUCHAR>(buffer), size, BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}
