#pragma once
// Driving the real program's windows from outside, the way an automation tool does: find
// windows and controls, click, type, read texts and states, answer message boxes.
#include <windows.h>

#include <functional>
#include <string>


namespace wt {

// Polls `condition` every 20 ms until it holds or `timeoutMs` has passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

// The visible top-level window of the class that belongs to the process (0: any process);
// null on time-out.
HWND WaitForWindow(DWORD processId, const char* className, DWORD timeoutMs = 30000);
// A message box (or other dialog) owned by `owner`; null on time-out.
HWND WaitForDialogOwnedBy(HWND owner, DWORD timeoutMs = 30000);
// A message box's caption and text.
struct MessageBoxSeen {
    std::string caption;
    std::string text;
};
// The next message box owned by `owner`, read and then answered with `button` (IDOK, IDNO...);
// the caption "<no box>" when none came in time.
MessageBoxSeen AnswerMessageBox(HWND owner, int button, DWORD timeoutMs = 20000);
// Every top-level window with its class, text, process and visibility, one per line: what a
// failed wait reports, so that the log shows what was on the screen instead.
std::string DescribeTopLevelWindows();
// The descendant of `top` with the control id; null when there is none.
HWND FindControl(HWND top, int id);

std::string TextOf(HWND window);
bool IsChecked(HWND button);
bool IsShown(HWND window);  // the window and all its parents visible
// A click that returns after the click's handler has run.
void Click(HWND button);
// A click posted without waiting, for a button that opens a modal window.
void PostClick(HWND button);
// Space pressed and released on a focused check box, as the keyboard does it.
void PressSpace(HWND control);
// Characters typed into an edit field.
void Type(HWND edit, const std::string& text);
// Replaces an edit field's text (the field reports the change).
void SetText(HWND edit, const std::string& text);
// Selects the item of a drop-down list as the user does (the list reports the change).
void SelectComboItem(HWND combo, int index);
// The mouse pointer moves off the control (to the screen's corner).
void PointerLeave(HWND control);

}  // namespace wt
