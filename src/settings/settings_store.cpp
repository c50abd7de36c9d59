#include "settings/settings_store.h"

std::string FailedToSetDataMessage(const std::string& name) {
    return "Failed to set data for '" + name + "'";
}
