#include "online/url_parts.h"

#include <cctype>

namespace {

std::string AsciiLower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool ParsePort(const std::string& text, int& port) {
    if (text.empty() || text.size() > 5) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) return false;
    port = value;
    return true;
}

}  // namespace

bool SplitUrl(const std::string& address, UrlParts& parts) {
    parts = UrlParts{};
    std::string rest = address;
    const std::size_t schemeEnd = rest.find("://");
    if (schemeEnd == std::string::npos) {
        parts.scheme = "http";
    } else {
        parts.scheme = AsciiLower(rest.substr(0, schemeEnd));
        rest.erase(0, schemeEnd + 3);
    }
    parts.port = parts.scheme == "https" ? 443 : 80;

    const std::size_t authorityEnd = rest.find_first_of("/?#");
    std::string authority = rest.substr(0, authorityEnd);
    const std::string tail = authorityEnd == std::string::npos ? "" : rest.substr(authorityEnd);

    // The last "@" ends the user part: a password may contain "@" itself.
    const std::size_t at = authority.rfind('@');
    if (at != std::string::npos) {
        const std::string user = authority.substr(0, at);
        const std::size_t colon = user.find(':');
        parts.userName = user.substr(0, colon);
        if (colon != std::string::npos) parts.password = user.substr(colon + 1);
        authority.erase(0, at + 1);
    }
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string::npos) {
        if (!ParsePort(authority.substr(colon + 1), parts.port)) return false;
        authority.erase(colon);
    }
    if (authority.empty()) return false;
    parts.host = authority;

    const std::size_t extraStart = tail.find_first_of("?#");
    parts.path = tail.substr(0, extraStart);
    if (extraStart != std::string::npos) parts.extra = tail.substr(extraStart);
    if (parts.path.empty()) parts.path = "/";
    return true;
}

bool RedirectTarget(const UrlParts& current, const std::string& location, UrlParts& next) {
    if (location.empty()) return false;
    if (location.find("://") != std::string::npos) {
        // Only to the web's own schemes, and never from a secure address to a plain one.
        if (!SplitUrl(location, next) || (next.scheme != "http" && next.scheme != "https")) return false;
        return !(current.scheme == "https" && next.scheme == "http");
    }
    if (location.compare(0, 2, "//") == 0) return SplitUrl(current.scheme + ":" + location, next);
    next = current;
    const std::size_t extraStart = location.find_first_of("?#");
    std::string path = location.substr(0, extraStart);
    next.extra = extraStart == std::string::npos ? "" : location.substr(extraStart);
    if (path.empty()) {
        path = current.path;
    } else if (path[0] != '/') {
        path = current.path.substr(0, current.path.rfind('/') + 1) + path;
    }
    next.path = path;
    return true;
}

bool IsRedirectStatus(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}
