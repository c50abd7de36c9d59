#include "platform/environment_block.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace {

// "=C:=C:\Games" is named "=C:": a name's first character may be "=".
std::string NameOf(const std::string& entry) {
    const std::size_t equals = entry.find('=', 1);
    return entry.substr(0, equals);
}

}  // namespace

std::string EnvironmentBlockWith(const std::string& current, const EnvironmentVariables& added) {
    std::vector<std::string> entries;
    for (std::size_t start = 0; start < current.size();) {
        const std::size_t end = std::min(current.find('\0', start), current.size());
        if (end == start) break;  // the closing zero pair
        entries.push_back(current.substr(start, end - start));
        start = end + 1;
    }
    for (const auto& [name, value] : added) {
        const std::string upper = AsciiUpper(name);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::string& e) { return AsciiUpper(NameOf(e)) == upper; }),
                      entries.end());
        entries.push_back(name + "=" + value);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
        return AsciiUpper(NameOf(a)) < AsciiUpper(NameOf(b));
    });
    std::string block;
    for (const std::string& entry : entries) block += entry + '\0';
    // An empty block still needs its two closing zero bytes.
    if (block.empty()) block += '\0';
    return block + '\0';
}
