#include "sysinfo/machine_text.h"

#include <cstdlib>

namespace {

constexpr std::uint64_t kMiB = 1048576;
constexpr std::uint64_t kGiB = 1073741824;

std::size_t DigitCount(std::uint64_t n) { return std::to_string(n).size(); }

// bytes / unit in steps of 1/10^decimals, rounded half up; integer arithmetic keeps the
// rounding exact where binary fractions would tie.
std::uint64_t ScaledQuotient(std::uint64_t bytes, std::uint64_t unit, int decimals) {
    std::uint64_t factor = 1;
    for (int i = 0; i < decimals; ++i) factor *= 10;
    return bytes / unit * factor + (bytes % unit * factor + unit / 2) / unit;
}

}  // namespace

std::string DecimalText(std::uint64_t scaled, int decimals, const std::string& decimalSeparator) {
    std::string digits = std::to_string(scaled);
    if (decimals <= 0) return digits;
    const std::size_t width = static_cast<std::size_t>(decimals) + 1;
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    const std::size_t point = digits.size() - static_cast<std::size_t>(decimals);
    return digits.substr(0, point) + decimalSeparator + digits.substr(point);
}

std::string MemoryText(std::uint64_t bytes, const std::string& decimalSeparator) {
    const std::size_t digits = DigitCount(bytes);
    if (digits >= 11) return std::to_string(bytes / kGiB) + "GB";
    if (digits == 10) return DecimalText(ScaledQuotient(bytes, kGiB, 1), 1, decimalSeparator) + " GB ";
    if (digits >= 8) return DecimalText(ScaledQuotient(bytes, kMiB, 2), 2, decimalSeparator) + " MB ";
    return "";
}

unsigned NormaliseCpuClock(unsigned measuredMHz) {
    static const int kNominal[] = {0, 20, 33, 50, 60, 66, 80, 90, 100};
    const int remainder = static_cast<int>(measuredMHz % 100);
    int best = 0;
    for (int nominal : kNominal) {
        // Ascending order with "<=" lets the higher step win a tie.
        if (std::abs(nominal - remainder) <= std::abs(best - remainder)) best = nominal;
    }
    return measuredMHz - static_cast<unsigned>(remainder) + static_cast<unsigned>(best);
}
