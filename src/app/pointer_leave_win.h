#pragma once
#include <windows.h>

// Sent to the notified window (wParam = event id) when the mouse pointer has left `area`
// through one of the watched controls.
constexpr UINT kPointerLeftMessage = WM_APP + 1;

// Watches `control` (the area itself or one of its children): when the pointer leaves it and
// is no longer inside `area`, posts kPointerLeftMessage to `notify`.
void WatchPointerLeave(HWND control, HWND area, HWND notify, int eventId);
