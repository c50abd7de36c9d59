#pragma once
#include "platform/windows_version.h"

// The version of the Windows the program runs on, as the manifest lets Windows tell it (the
// manifest names Windows 7 to 11, so 8.1 and later do not pretend to be 8).
WindowsVersion RunningWindowsVersion();
