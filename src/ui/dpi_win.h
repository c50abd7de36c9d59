#pragma once
#include <windows.h>

// The window layout is designed in pixels at 96 DPI. The process declares itself DPI aware
// (so Windows does not stretch it into a blurry bitmap) and every coordinate, font height
// and picture is scaled to the system DPI when the windows are made.

// Must run before the first window exists.
void DeclareDpiAware();
// Design pixels at 96 DPI to device pixels.
int Scale(int designPixels);
RECT ScaleRect(int x, int y, int width, int height);
