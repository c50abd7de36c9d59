#include "platform/error_report_win.h"

void ReportUnhandledError(HWND owner, const std::exception& error) {
    MessageBoxA(owner, error.what(), "Lurkmark", MB_OK | MB_ICONERROR);
}

void ReportUnknownError(HWND owner) {
    MessageBoxA(owner, "An unexpected error occurred.", "Lurkmark", MB_OK | MB_ICONERROR);
}
