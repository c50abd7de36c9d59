#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

// The named string values of an HKEY_LOCAL_MACHINE key opened for reading only (nothing is
// created); absent or non-string values are left out. nullopt when the key cannot be opened.
std::optional<std::map<std::string, std::string>> ReadMachineStrings(const std::string& path,
                                                                     const std::vector<std::string>& names);
