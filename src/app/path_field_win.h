#pragma once
#include <windows.h>

// A read-only path field that, while it does not have the focus, shows a path too long for
// it with an ellipsis in the middle, keeping its start and its last folders in sight. The
// field's text stays whole (copying, screen readers and the program read all of it); with
// the focus the field shows and scrolls the whole text as usual.
void ShowPathWithEllipsis(HWND field);
