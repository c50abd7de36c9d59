#pragma once
#include <string>
#include <utility>
#include <vector>

// A process's environment block as CreateProcessA takes it: "NAME=value" strings, each ended by
// a zero byte, and one more zero byte after the last.
using EnvironmentVariables = std::vector<std::pair<std::string, std::string>>;

// The block `current` (as GetEnvironmentStringsA gives it, read up to its closing zero pair)
// with each of `added` set: a variable of the same name, in any case, gives way. The strings
// come sorted by name without regard to case, as Windows documents for a block a program
// builds.
std::string EnvironmentBlockWith(const std::string& current, const EnvironmentVariables& added);
