#include "online/maker_hosts.h"

#include "platform/web_address.h"

namespace {

const char* const kBenchmarkFolder = "/benchmarks/prey/";

void Replace(const std::function<std::string(const std::string&)>& readPolicy, const char* valueName,
             std::string& host, MakerHosts& hosts) {
    const std::string value = readPolicy(valueName);
    if (value.empty()) return;
    if (IsHostWithPort(value)) {
        host = value;
    } else {
        hosts.ignoredValues.push_back("The policy value " + std::string(valueName) + " \"" + value +
                                      "\" is not a host name with an optional port: ignored, " + host + " is used.");
    }
}

}  // namespace

MakerHosts ReadMakerHosts(const std::function<std::string(const std::string&)>& readPolicy) {
    MakerHosts hosts;
    Replace(readPolicy, kMakerWebHostValue, hosts.webHost, hosts);
    Replace(readPolicy, kMakerUpdateHostValue, hosts.updateHost, hosts);
    return hosts;
}

std::string HelpFileUrl(const MakerHosts& hosts) {
    return "https://" + hosts.webHost + kBenchmarkFolder + "help.chm";
}

std::string UpdateInfoFileUrl(const MakerHosts& hosts) {
    return "https://" + hosts.updateHost + kBenchmarkFolder + "qwk_lurkmark.inf";
}

std::string HomePageAddress(const MakerHosts& hosts) {
    return "https://" + hosts.webHost + "/";
}
