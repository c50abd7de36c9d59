#pragma once
// SHA-256, ECDSA P-256 verification and random bytes through Windows' own cryptography (CNG,
// Vista and later), loaded from the system folder. Plain C-style code without the C++ library: the upgrader uses it too.
#include <windows.h>

#include <cstddef>

constexpr std::size_t kSha256DigestBytes = 32;

// Whether this Windows offers CNG (Vista on): without it nothing below succeeds.
bool CngAvailable();

// A running SHA-256 over data given in pieces.
struct Sha256State {
    void* algorithm = nullptr;  // BCRYPT_ALG_HANDLE
    void* hash = nullptr;       // BCRYPT_HASH_HANDLE
};

bool Sha256Begin(Sha256State& state);
bool Sha256Add(Sha256State& state, const void* data, std::size_t size);
// Writes the digest and frees the state (also on failure).
bool Sha256End(Sha256State& state, unsigned char digest[kSha256DigestBytes]);
// Frees a state without a digest.
void Sha256Abandon(Sha256State& state);

bool Sha256Of(const void* data, std::size_t size, unsigned char digest[kSha256DigestBytes]);

// Whether `signature` (r then s, 32 bytes each) signs the SHA-256 digest under the public
// key (X then Y, 32 bytes each).
bool VerifyP256Signature(const unsigned char publicKey[64], const unsigned char digest[kSha256DigestBytes],
                         const unsigned char signature[64]);

// Bytes from the system's random number generator, fit for names nobody may guess.
bool RandomBytes(void* buffer, unsigned long size);
