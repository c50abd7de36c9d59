#pragma once
#include <string>

// An HTTP address taken apart the way the transfer worker needs it.
struct UrlParts {
    std::string scheme;    // lower case: "http" or "https" (or whatever the address names)
    std::string host;
    int port = 0;          // the scheme's default when the address names none
    std::string userName;  // from "user:password@host"; empty when absent
    std::string password;
    std::string path;      // from the first "/" after the host; "/" when empty
    std::string extra;     // query and fragment, from the first "?" or "#"
};

// An address without "://" is taken as "http://" + address. False when no host can be
// found or the port is not a number from 1 to 65535.
bool SplitUrl(const std::string& address, UrlParts& parts);

// Where a redirect's Location leads from the address `current`: an absolute address, one
// without scheme ("//host/path"), an absolute path or a path relative to the current one.
// The query and fragment come from the location alone. False for an empty or unusable one,
// one of another scheme than http and https, and one from https to http: such an answer
// stands as the transfer's status.
bool RedirectTarget(const UrlParts& current, const std::string& location, UrlParts& next);

// 301, 302, 303, 307 and 308: the answer names another address in its Location.
bool IsRedirectStatus(int status);
