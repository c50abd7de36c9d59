#include "online/maker_hosts.h"

#include "settings/settings_store.h"

namespace {
const char* const kBenchmarkFolder = "/benchmarks/prey/";
}

MakerHosts ReadMakerHosts(SettingsStore& settings) {
    MakerHosts hosts;
    const std::string web = settings.Read(kMakerWebHostValue);
    if (!web.empty()) hosts.webHost = web;
    const std::string update = settings.Read(kMakerUpdateHostValue);
    if (!update.empty()) hosts.updateHost = update;
    return hosts;
}

std::string HelpFileUrl(const MakerHosts& hosts) {
    return "https://" + hosts.webHost + kBenchmarkFolder + "help.chm";
}

std::string UpdateInfoFileUrl(const MakerHosts& hosts) {
    return "https://" + hosts.updateHost + kBenchmarkFolder + "qwk_lurkmark.inf";
}

std::string HomePageAddress(const MakerHosts& hosts) {
    return hosts.webHost;
}
