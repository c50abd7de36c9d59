#include "online/update_command.h"

#include <climits>
#include <stdexcept>

int ReadDecimalInteger(const std::string& text) {
    const std::invalid_argument error("'" + text + "' is not a valid integer value");
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    if (i == text.size()) throw error;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') throw error;
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) throw error;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) throw error;
    return static_cast<int>(value);
}

void ConfigureUpdaterProxy(const ProxyPageTexts& page, ProxyConfig& proxy) {
    if (!page.useProxy) {
        proxy.AccessType = ProxyAccess::Direct;
        return;
    }
    if (page.port.empty()) throw std::invalid_argument(kProxyPortMissingText);
    const int port = ReadDecimalInteger(page.port);
    if (port < 1 || port > 65535) throw std::invalid_argument("'" + page.port + "' is not a valid port number");
    proxy.ProxyServer = page.server;
    proxy.ProxyPort = port;
    proxy.ProxyUsername = page.username;
    proxy.ProxyPassword = page.password;
    proxy.AccessType = ProxyAccess::UseProxy;
}
