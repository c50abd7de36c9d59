#pragma once
#include <string>

#include "domain/maker_site.h"

class SettingsStore;

// Registry values (in the settings key) that replace a host, for tests and mirrors.
// Each holds a host name with an optional ":port", such as "mirror.example.org:8080".
constexpr const char* kMakerWebHostValue = "MakerWebHost";
constexpr const char* kMakerUpdateHostValue = "MakerUpdateHost";

struct MakerHosts {
    std::string webHost = kMakerWebHost;
    std::string updateHost = kMakerUpdateHost;
};

// The built-in hosts, each replaced by its registry value when that is not empty.
MakerHosts ReadMakerHosts(SettingsStore& settings);

// Every address of the maker's servers is made here.
std::string HelpFileUrl(const MakerHosts& hosts);
std::string UpdateInfoFileUrl(const MakerHosts& hosts);
// The home page is the bare host name: the shell picks the browser and the scheme.
std::string HomePageAddress(const MakerHosts& hosts);
