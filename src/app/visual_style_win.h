#pragma once
#include <windows.h>

// Check boxes and radio buttons on the black pages are drawn without visual styles: with
// them, Windows draws these captions in the theme's own (black) text colour and ignores the
// colour the page sets, so they could not be read. Everything else keeps the modern look.
void DrawWithoutVisualStyle(HWND control);
