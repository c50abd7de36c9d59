#include "online/maker_hosts.h"

#include "platform/web_address.h"
#include "settings/settings_store.h"

namespace {

const char* const kBenchmarkFolder = "/benchmarks/prey/";

void Replace(SettingsStore& settings, const char* valueName, std::string& host, MakerHosts& hosts) {
    const std::string value = settings.Read(valueName);
    if (value.empty()) return;
    if (IsHostWithPort(value)) {
        host = value;
    } else {
        hosts.ignoredValues.push_back("The settings value " + std::string(valueName) + " \"" + value +
                                      "\" is not a host name with an optional port: ignored, " + host + " is used.");
    }
}

}  // namespace

MakerHosts ReadMakerHosts(SettingsStore& settings) {
    MakerHosts hosts;
    Replace(settings, kMakerWebHostValue, hosts.webHost, hosts);
    Replace(settings, kMakerUpdateHostValue, hosts.updateHost, hosts);
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
