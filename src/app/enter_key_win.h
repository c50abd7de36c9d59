#pragma once
#include <windows.h>

// Enter on a window without a default button: the dialog manager hands it over as IDOK.
// The focused push button of `root` (drawn buttons, group items) is pressed, as Space would
// press it; with the focus anywhere else Enter does nothing, so it never starts what the
// user cannot see. True when a button was pressed.
bool PressFocusedButton(HWND root);
