#pragma once
#include <windows.h>

#include <string>

#include "online/maker_hosts.h"

// Check for updates on a Windows without CNG (XP): says that it needs Windows Vista or later
// and offers the maker's home page instead. True when the check may start.
bool UpdateCheckPossible(HWND owner, const std::string& caption, const MakerHosts& hosts);
