#pragma once
#include <windows.h>

#include "platform/os_error.h"

// The error for a system error code, carrying the system's message text (FormatMessageA).
OsError OsErrorFromCode(DWORD code);
