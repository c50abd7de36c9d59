#pragma once
#include <string>

#include "online/update_transfer.h"

// The proxy fields of the update page as the user left them.
struct ProxyPageTexts {
    bool useProxy = false;
    std::string server;
    std::string port;
    std::string username;
    std::string password;  // plain, as typed
};

// A decimal integer with an optional sign and nothing else; throws std::invalid_argument
// "'{text}' is not a valid integer value" otherwise (an empty text included).
int ReadDecimalInteger(const std::string& text);

// With "Use Proxy Server" ticked and no port: no check starts.
constexpr const char* kProxyPortMissingText =
    "The proxy port is missing: please enter the port of the proxy server (for example 8080).";

// The update command's configuration of the updater's proxy. With the proxy box checked the
// page's texts are taken (the port must be a decimal integer from 1 to 65535, else
// std::invalid_argument, kProxyPortMissingText for an empty one, and nothing changes); unchecked means a direct connection, the
// system's proxy configuration not used either, the other fields kept as they were.
void ConfigureUpdaterProxy(const ProxyPageTexts& page, ProxyConfig& proxy);
