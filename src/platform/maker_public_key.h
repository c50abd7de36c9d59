#pragma once
// The maker's ECDSA P-256 public key (X, then Y, 32 bytes each, big-endian) that every update
// and downloaded help file must be signed with. A release build defines it with the maker's
// real key; the Windows test build of the program defines it with the tests' throw-away key.
extern const unsigned char kMakerPublicKey[64];
