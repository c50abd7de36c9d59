#pragma once
#include <windows.h>

#include <functional>

// Runs the thread's messages, keyboard handling of `dialog` included, until `done` holds. A
// quit request met meanwhile is handed on to the outer loop; false then.
bool RunModalLoop(HWND dialog, const std::function<bool()>& done);
// Runs the thread's messages for about `milliseconds`, so that its windows paint and answer
// while it waits for something else. False when a quit request was met (handed on to the
// outer loop): the caller then waits without messages.
bool PumpMessagesFor(DWORD milliseconds);
