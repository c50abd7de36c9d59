#pragma once
#include <windows.h>

#include <functional>

// Runs the thread's messages, keyboard handling of `dialog` included, until `done` holds. A
// quit request met meanwhile is handed on to the outer loop; false then.
bool RunModalLoop(HWND dialog, const std::function<bool()>& done);
