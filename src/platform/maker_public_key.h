#pragma once
// The maker's ECDSA P-256 public key (X, then Y, 32 bytes each, big-endian) that every update
// and downloaded help file must be signed with. A release build defines it with the maker's
// real key; the Windows test build of the program defines it with the tests' throw-away key.
extern const unsigned char kMakerPublicKey[64];

// The library the programs take CNG (signatures, hashes, random bytes) from: "bcrypt.dll" in a
// release build. The test build names a library that does not exist when the environment
// variable LURK_TEST_NO_CNG is set, so that a test sees the program as Windows XP, which has no
// CNG, leaves it.
const char* CngLibraryName();
