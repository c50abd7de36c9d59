#pragma once
#include <string>

// What an address may hold before the program builds on it or hands it to the shell. Every
// such text may come from a settings value any account can write, or from a server.

// A host name (letters, digits and hyphens in dot-separated labels), an IPv4 address or an
// IPv6 address in brackets, with an optional ":port" (1 to 65535). Nothing else: no scheme,
// no path, no blank, no backslash.
bool IsHostWithPort(const std::string& text);

// "http://" or "https://", a host as above, then nothing or a path, query and fragment of
// the characters an address may carry unescaped (no blank, quote, backslash or angle bracket).
bool IsWebAddress(const std::string& text);
