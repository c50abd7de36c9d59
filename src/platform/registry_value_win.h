#pragma once
#include <windows.h>

#include <optional>
#include <string>

// A string value of an open key, up to its first NUL whether or not the writer stored one;
// nullopt when the value is missing or not a string.
std::optional<std::string> QueryStringValue(HKEY key, const std::string& name);
