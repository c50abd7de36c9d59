#pragma once
#include <string>

namespace wt {

// The SHA-256 of the bytes in lower-case hex, as the update information file lists it; a
// failure of the system's hashing fails the running test.
std::string Sha256Hex(const std::string& bytes);

}  // namespace wt
