#pragma once
#include <cstdint>
#include <string>

// Texts of the machine description. The decimal separator is the user's regional setting.

// `scaled` / 10^decimals written with that many decimals, e.g. (40000, 2) -> "400.00".
std::string DecimalText(std::uint64_t scaled, int decimals, const std::string& decimalSeparator);

// The installed memory by the digit count of the byte count: "16GB", "2.0 GB ",
// "512.00 MB "; empty below eight digits, where no memory line is written.
std::string MemoryText(std::uint64_t bytes, const std::string& decimalSeparator);

// A measured clock moved to the nearest nominal step within its hundred (0, 20, 33, 50, 60,
// 66, 80, 90, 100; a tie goes up): 2394 -> 2390, 2397 -> 2400, 1995 -> 2000.
unsigned NormaliseCpuClock(unsigned measuredMHz);
