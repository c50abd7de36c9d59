#include "platform/error_report_win.h"

namespace {

void Report(HWND owner, const char* text) {
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (root && SendMessageA(root, kUnattendedErrorMessage, 0, reinterpret_cast<LPARAM>(text))) return;
    MessageBoxA(owner, text, "Lurkmark", MB_OK | MB_ICONERROR);
}

}  // namespace

void ReportUnhandledError(HWND owner, const std::exception& error) { Report(owner, error.what()); }

void ReportUnknownError(HWND owner) { Report(owner, "An unexpected error occurred."); }
