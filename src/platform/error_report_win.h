#pragma once
#include <windows.h>

#include <exception>

// A window that runs unattended answers this message with TRUE and takes the error's text
// (lParam: const char*) itself: then no message box is shown.
constexpr UINT kUnattendedErrorMessage = WM_APP + 41;

// Shows the text of an error that no step handled; the program goes on.
void ReportUnhandledError(HWND owner, const std::exception& error);
void ReportUnknownError(HWND owner);
