#pragma once
// The maker's signed information file as the upgrader reads it: the elevated upgrader trusts
// no list the user could have changed, only what the maker signed. Plain C-style code without
// the C++ library: the upgrader uses it, and the program splits the file the same way.
#include "upgrader/upgrader_input.h"

constexpr int kInformationSignatureBytes = 64;

// A signed file ends in the entry "#signature=" (any case) and 128 hex digits, the signature
// (r then s) of every byte before that entry; only blanks and line ends may follow, and none
// may stand between "=" and the digits. False when the text does not end so; otherwise
// *messageLength is the length of the signed part and `signature` holds the raw bytes.
bool SplitSignedInformation(const char* text, int length, int* messageLength,
                            unsigned char signature[kInformationSignatureBytes]);

// Whether the signed message lists the entry's download: a "#sha256{N}=" entry with exactly
// its hash and a "#url{N}=" entry (same N) whose address ends in "/" and the temporary name
// without ".uTMP"; and the target is that name, or for a program ("exe") the program's own
// file name, as the program plans it.
bool SignedMessageLists(const char* message, int length, const UpgradeEntry& entry, const char* programFileName);

// Whether the signed message's version (the value of its first "#version=" entry, any case,
// as the program reads it) is newer than ownVersion. An old release the maker once signed is
// still signed: installing it would bring back whatever flaw it had. False without a version.
bool OffersNewerVersion(const char* message, int length, const char* ownVersion);
