#include "online/updater_config.h"

#include "online/maker_hosts.h"

UpdaterSettings LurkmarkUpdaterSettings(const std::string& versionNumber) {
    UpdaterSettings settings;
    settings.InfoFileURL = std::string("http://") + kMakerUpdateHost + "/benchmarks/prey/qwk_lurkmark.inf";
    settings.VersionNumber = versionNumber;
    UpdateMessages& shown = settings.ShowMessages;
    shown.askUpgrade = true;
    shown.connLost = true;
    shown.hostUnreachable = true;
    shown.lostFile = true;
    shown.noInfoFile = false;
    shown.noUpdateAvailable = true;
    return settings;
}
