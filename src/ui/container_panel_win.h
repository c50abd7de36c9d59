#pragma once
#include <windows.h>

// A black child window that holds controls: a page, the page area, the progress panel, or
// (with a caption) a framed group such as " Resolution ". It hands its controls' commands,
// colour and drawing requests up to its parent, so the main window handles them all.
HWND CreateContainerPanel(HWND parent, int id, const RECT& rect, const char* caption, HFONT font, DWORD extraStyle = 0);
