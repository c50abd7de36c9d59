#include "platform/windows_version_win.h"

#include <windows.h>

WindowsVersion RunningWindowsVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return {};
    return {info.dwMajorVersion, info.dwMinorVersion};
}
