#pragma once
#include <windows.h>

// Registers a window class of this module the first time it is asked for; later calls find
// it registered. False when the registration fails.
bool RegisterWindowClassOnce(const char* className, WNDPROC procedure, HBRUSH background = nullptr);
