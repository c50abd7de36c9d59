#include "online/download_address.h"

#include "online/url_parts.h"
#include "upgrader/plain_file_name.h"

namespace {

constexpr std::size_t kMaxWindowsPath = 259;  // MAX_PATH less the terminating zero


}  // namespace

std::string LastSegment(const std::string& address) {
    const std::size_t slash = address.rfind('/');
    return slash == std::string::npos ? address : address.substr(slash + 1);
}

std::optional<std::string> TemporaryFileFor(const std::string& programFolder, const std::string& address) {
    const std::string name = LastSegment(address);
    if (!IsPlainFileName(name.data(), name.data() + name.size())) return std::nullopt;
    std::string path = programFolder + name + ".uTMP";
    if (path.size() > kMaxWindowsPath) return std::nullopt;
    return path;
}

std::string HostOfAddress(const std::string& address) {
    // Read as the transfer worker reads it, so that the message names the host it tried.
    UrlParts parts;
    if (SplitUrl(address, parts)) return parts.host;
    const std::size_t scheme = address.find("://");
    const std::size_t start = scheme == std::string::npos ? 0 : scheme + 3;
    std::size_t end = address.find_first_of("/?#", start);
    if (end == std::string::npos) end = address.size();
    std::string authority = address.substr(start, end - start);
    const std::size_t at = authority.rfind('@');
    if (at != std::string::npos) authority.erase(0, at + 1);
    return authority.substr(0, authority.find(':'));
}

std::string WithHttpScheme(const std::string& address) {
    return address.find("://") == std::string::npos ? "http://" + address : address;
}

std::string ApplicationTitle(const std::string& programPath) {
    const std::size_t slash = programPath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
