#include "online/version_compare.h"

#include "upgrader/version_order.h"

int CompareVersionsByNumber(const std::string& offered, const std::string& own) {
    return CompareVersionTexts(offered.data(), static_cast<int>(offered.size()), own.data(), static_cast<int>(own.size()));
}
