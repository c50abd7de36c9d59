#pragma once
#include "settings/settings_load.h"

// The distinct screen sizes of the current display device, in enumeration order.
DisplayModeList BuildDisplayModeList();
