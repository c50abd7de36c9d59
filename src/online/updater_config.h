#pragma once
#include <string>

#include "online/update_flow.h"

// The update server. A host under a domain reserved for documentation, so that no
// stranger's server is ever contacted until the project runs its own.
constexpr const char* kMakerUpdateHost = "update.quenwick.example";

// The updater as this program configures it: its information file on the update server,
// its own version number, and the messages it shows.
UpdaterSettings LurkmarkUpdaterSettings(const std::string& versionNumber);
