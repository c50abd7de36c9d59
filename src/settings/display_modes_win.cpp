#include "settings/display_modes_win.h"

#include <windows.h>

#include <algorithm>

#include "domain/resolution_table.h"

DisplayModeList BuildDisplayModeList() {
    DisplayModeList modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        const std::string text = DisplayModeText(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight));
        if (std::find(modes.begin(), modes.end(), text) == modes.end()) modes.push_back(text);
    }
    return modes;
}
