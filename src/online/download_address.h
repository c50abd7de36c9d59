#pragma once
#include <optional>
#include <string>

// Addresses from the update information file, and the local files they become.

// The text after the address's last "/" (the whole address when it has none).
std::string LastSegment(const std::string& address);

// Where a download is kept until the upgrader applies it: the program's folder (with
// trailing backslash), the address's last segment and ".uTMP". Nothing when that segment
// could not safely name a file directly inside the program's folder: empty, "." or "..",
// a separator or drive colon, a character Windows forbids in names, a trailing dot or
// blank, a device name, or a path too long for Windows. Such a file is never written.
std::optional<std::string> TemporaryFileFor(const std::string& programFolder, const std::string& address);

// The host name of an address: after "scheme://" and any "user:password@", before the
// port, path or query.
std::string HostOfAddress(const std::string& address);

// The address with "http://" in front when it names no scheme.
std::string WithHttpScheme(const std::string& address);

// The application title: the executable's file name without its extension.
std::string ApplicationTitle(const std::string& programPath);
