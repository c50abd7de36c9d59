#pragma once
#include <string>

#include "online/maker_hosts.h"
#include "online/update_flow.h"

// The updater as this program configures it: its information file on the update server,
// its own version number, and the messages it shows.
UpdaterSettings LurkmarkUpdaterSettings(const std::string& versionNumber, const MakerHosts& hosts);
