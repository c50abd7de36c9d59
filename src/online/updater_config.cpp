#include "online/updater_config.h"

UpdaterSettings LurkmarkUpdaterSettings(const std::string& versionNumber, const MakerHosts& hosts) {
    UpdaterSettings settings;
    settings.InfoFileURL = UpdateInfoFileUrl(hosts);
    settings.VersionNumber = versionNumber;
    UpdateMessages& shown = settings.ShowMessages;
    shown.askUpgrade = true;
    shown.connLost = true;
    shown.hostUnreachable = true;
    shown.lostFile = true;
    shown.noInfoFile = false;
    shown.noUpdateAvailable = true;
    settings.Wizard.HideFileLocation = true;
    return settings;
}
