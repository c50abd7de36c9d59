#pragma once
// The system's open and save dialogs of the program, filled in from outside.
#include <windows.h>

#include <string>

namespace wt {

// The dialog's file name field (an edit inside the file name combo box, or the plain edit).
HWND FileNameField(HWND dialog);
// The open or save dialog over `owner`, once its file name field is there; null on time-out.
HWND WaitForFileDialog(HWND owner);
// Types the name into the dialog and presses its OK button (the dialog may then ask more).
void TypeNameAndConfirm(HWND dialog, const std::string& name);

}  // namespace wt
