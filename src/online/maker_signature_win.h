#pragma once
#include <optional>
#include <string>

// Checks against the maker's public key built into the program.

// True when `signature` (raw r and s) signs exactly the bytes of `message`.
bool IsSignedByMaker(const std::string& message, const std::string& signature);

// The raw SHA-256 digest of a file's bytes; nothing when it cannot be read whole.
std::optional<std::string> FileSha256(const std::string& path);
