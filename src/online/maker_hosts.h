#pragma once
#include <functional>
#include <string>
#include <vector>

#include "domain/maker_site.h"

// Registry values that replace a host, for tests and mirrors: in the policy key, which only
// administrators may write, since the host chosen serves every account on the PC. Each holds a
// host name, IPv4 address or bracketed IPv6 address with an optional ":port", such as
// "mirror.example.org:8080"; anything else is ignored.
constexpr const char* kMakerWebHostValue = "MakerWebHost";
constexpr const char* kMakerUpdateHostValue = "MakerUpdateHost";

struct MakerHosts {
    std::string webHost = kMakerWebHost;
    std::string updateHost = kMakerUpdateHost;
    // One debug log line for each value ignored.
    std::vector<std::string> ignoredValues;
};

// The built-in hosts, each replaced by its registry value when that is a host with an
// optional port; an empty value keeps the built-in host silently. readPolicy: a value of the
// policy key by name, empty when missing.
MakerHosts ReadMakerHosts(const std::function<std::string(const std::string&)>& readPolicy);

// Every address of the maker's servers is made here.
std::string HelpFileUrl(const MakerHosts& hosts);
std::string UpdateInfoFileUrl(const MakerHosts& hosts);
// The home page: the web host's root over https.
std::string HomePageAddress(const MakerHosts& hosts);
