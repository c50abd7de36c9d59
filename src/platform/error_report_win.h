#pragma once
#include <windows.h>

#include <exception>

// Shows the text of an error that no step handled; the program goes on.
void ReportUnhandledError(HWND owner, const std::exception& error);
void ReportUnknownError(HWND owner);
