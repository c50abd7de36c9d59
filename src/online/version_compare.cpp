#include "online/version_compare.h"

#include <array>

namespace {

using VersionParts = std::array<std::string, 4>;

VersionParts SplitVersion(const std::string& version) {
    VersionParts parts{"0", "0", "0", "0"};
    const std::string text = version + ".";
    std::size_t from = 0;
    for (std::string& part : parts) {
        const std::size_t dot = text.find('.', from);
        if (dot == std::string::npos) break;
        part = text.substr(from, dot - from);
        from = dot + 1;
    }
    return parts;
}

bool IsDecimal(const std::string& part) {
    if (part.empty()) return false;
    for (char c : part) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Numeric order of two digit strings of any length, so a long part cannot overflow.
int CompareDecimals(const std::string& a, const std::string& b) {
    const std::size_t za = a.find_first_not_of('0');
    const std::size_t zb = b.find_first_not_of('0');
    const std::string x = za == std::string::npos ? "" : a.substr(za);
    const std::string y = zb == std::string::npos ? "" : b.substr(zb);
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return x.compare(y) < 0 ? -1 : (x == y ? 0 : 1);
}

// Character codes as unsigned bytes; a text that begins the other is the smaller.
int CompareTexts(const std::string& a, const std::string& b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int CompareVersionsByNumber(const std::string& offered, const std::string& own) {
    const VersionParts a = SplitVersion(offered);
    const VersionParts b = SplitVersion(own);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!IsDecimal(a[i]) || !IsDecimal(b[i])) return CompareTexts(offered, own);
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const int order = CompareDecimals(a[i], b[i]);
        if (order != 0) return order;
    }
    return 0;
}
