#pragma once
#include <optional>
#include <string>

// The maker signs what the program acts on with an ECDSA P-256 key whose public half is built
// into the program. A signature travels as 128 hex digits: r, then s, 32 bytes each.

constexpr std::size_t kSignatureBytes = 64;
constexpr std::size_t kSha256Bytes = 32;

// A signed information file ends in the entry "#signature=" and the signature of every byte
// before that entry; only line ends and blanks may follow it. The message is those bytes,
// and nothing else of the file is read. An older program reads the entry as an unknown key.
struct SignedText {
    std::string message;
    std::string signature;  // kSignatureBytes raw bytes
};

// Nothing when the text carries no such entry at its end (an unsigned file) or the entry is
// not a well-formed signature.
std::optional<SignedText> SplitSignedText(const std::string& text);

// A detached signature file (such as the help file's): the hex signature, blanks and line
// ends around it allowed. Nothing when it is anything else.
std::optional<std::string> ReadDetachedSignature(const std::string& text);

// The bytes of a hex text of the given length (either case); nothing for any other text.
std::optional<std::string> DecodeHex(const std::string& hex, std::size_t bytes);

// True when `expectedHex` (as written in the information file) names exactly this raw SHA-256
// digest. An empty or malformed value never matches.
bool Sha256Matches(const std::string& expectedHex, const std::string& digest);
