#pragma once
// The policy key as a map of its values, read as the program reads the registry key.
#include <functional>
#include <map>
#include <string>

inline std::function<std::string(const std::string&)> PolicyReader(const std::map<std::string, std::string>& values) {
    return [values](const std::string& name) {
        const auto found = values.find(name);
        return found == values.end() ? std::string() : found->second;
    };
}
