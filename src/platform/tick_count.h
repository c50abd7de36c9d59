#pragma once
#include <cstdint>

// A 64-bit millisecond count from Windows' 32-bit one, which wraps every 49.7 days: the count
// that follows `last` when the 32-bit count now reads `now`. A `now` below last's low half has
// wrapped once since `last`, so the count must be read at least once per wrap.
std::uint64_t ContinueTickCount(std::uint64_t last, std::uint32_t now);
