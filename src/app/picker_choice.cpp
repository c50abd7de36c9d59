#include "app/picker_choice.h"

std::optional<ScreenSize> FirstCheckedSize(const std::vector<PickerEntry>& entries) {
    for (const PickerEntry& entry : entries) {
        if (!entry.checked) continue;
        const std::size_t separator = entry.text.find(" x ");
        if (separator == std::string::npos) return ScreenSize{entry.text, ""};
        return ScreenSize{entry.text.substr(0, separator), entry.text.substr(separator + 3)};
    }
    return std::nullopt;
}
