#include "platform/web_address.h"

namespace {

constexpr std::size_t kMaxHostName = 253;
constexpr std::size_t kMaxLabel = 63;

bool IsLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool IsHostName(const std::string& name) {
    if (name.empty() || name.size() > kMaxHostName) return false;
    std::size_t labelStart = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != '.') {
            if (!IsLetterOrDigit(name[i]) && name[i] != '-') return false;
            continue;
        }
        const std::size_t length = i - labelStart;
        if (length == 0 || length > kMaxLabel || name[labelStart] == '-' || name[i - 1] == '-') return false;
        labelStart = i + 1;
    }
    return true;
}

// The part inside the brackets: hex groups and colons (an IPv4 tail with dots allowed).
bool IsIpv6Literal(const std::string& text) {
    if (text.size() < 2 || text.size() > 45) return false;
    int colons = 0;
    for (char c : text) {
        if (c == ':') {
            ++colons;
        } else if (!IsHexDigit(c) && c != '.') {
            return false;
        }
    }
    return colons >= 2;
}

bool IsPort(const std::string& text) {
    if (text.empty() || text.size() > 5 || text[0] == '0') return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= 65535;
}

// Unreserved, reserved and "%" of an address's path, query and fragment.
bool IsAddressCharacter(char c) {
    if (IsLetterOrDigit(c)) return true;
    for (const char* allowed = "-._~:/?#[]@!$&'()*+,;=%"; *allowed; ++allowed) {
        if (c == *allowed) return true;
    }
    return false;
}

}  // namespace

bool IsHostWithPort(const std::string& text) {
    std::string host = text;
    std::string port;
    bool hasPort = false;
    if (!host.empty() && host[0] == '[') {
        const std::size_t close = host.find(']');
        if (close == std::string::npos || !IsIpv6Literal(host.substr(1, close - 1))) return false;
        const std::string rest = host.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':') return false;
            hasPort = true;
            port = rest.substr(1);
        }
        return !hasPort || IsPort(port);
    }
    const std::size_t colon = host.find(':');
    if (colon != std::string::npos) {
        hasPort = true;
        port = host.substr(colon + 1);
        host.erase(colon);
    }
    return IsHostName(host) && (!hasPort || IsPort(port));
}

bool IsWebAddress(const std::string& text) {
    std::size_t start = 0;
    if (text.compare(0, 8, "https://") == 0) {
        start = 8;
    } else if (text.compare(0, 7, "http://") == 0) {
        start = 7;
    } else {
        return false;
    }
    const std::size_t hostEnd = text.find_first_of("/?#", start);
    const std::size_t end = hostEnd == std::string::npos ? text.size() : hostEnd;
    if (!IsHostWithPort(text.substr(start, end - start))) return false;
    for (std::size_t i = end; i < text.size(); ++i) {
        if (!IsAddressCharacter(text[i])) return false;
    }
    return true;
}
