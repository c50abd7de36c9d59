#pragma once
#include <windows.h>

// A check box on a dark page that, while disabled, is drawn dimmed in the page's colours:
// the system would draw its caption embossed in white, brighter than the enabled ones.
// Enabled, the box is drawn by the system as before.
void DrawDimmedWhenDisabled(HWND box, COLORREF page, COLORREF frame, COLORREF text);
