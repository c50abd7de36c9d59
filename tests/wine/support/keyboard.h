#pragma once
// The keyboard as the user works it, from outside the program: keys go to the control that
// has the focus in the program's window, and the focus is read back the same way.
#include <windows.h>

namespace wt {

// The control that has the keyboard focus in the thread of `top` (null when none).
HWND FocusIn(HWND top);
// A key pressed and released on the focused control of `top` (on `top` itself when nothing
// has the focus). The key is posted, as the keyboard does: wait for its effect.
void PressKey(HWND top, WPARAM virtualKey);
// Alt with a letter (lower case), as for a mnemonic; posted likewise.
void PressAltLetter(HWND top, char letter);

}  // namespace wt
