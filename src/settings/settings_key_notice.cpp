#include "settings/settings_key_notice.h"

const char* const kMissingSettingsKeyNotice =
    "The settings key HKEY_LOCAL_MACHINE\\SOFTWARE\\Quenwick\\Lurkmark does not exist, so your options "
    "cannot be stored until it does.\r\n\r\n"
    "To create it, install Lurkmark again, or run CreateSettingsKey.exe of the portable package as "
    "administrator; then start Lurkmark again.";

void SettingsKeyNotice::Write(const std::string& name, const std::string& value) {
    if (store_.KeyExists()) {
        store_.Write(name, value);
        return;
    }
    if (told_) return;
    told_ = true;
    tell_(kMissingSettingsKeyNotice);
}
