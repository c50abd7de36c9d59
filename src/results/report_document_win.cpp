#include "results/report_document_win.h"

#include "platform/shell_win.h"

namespace {

std::string Formatted(int(WINAPI* format)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int), LCID locale, DWORD flags,
                      const SYSTEMTIME& time) {
    char text[128];
    const int length = format(locale, flags, &time, nullptr, text, sizeof text);
    return length > 0 ? std::string(text, length - 1) : std::string();
}

}  // namespace

std::string FormatStartTime(const SYSTEMTIME& time, LCID locale) {
    return Formatted(GetDateFormatA, locale, DATE_SHORTDATE, time) + " " +
           Formatted(GetTimeFormatA, locale, 0, time);
}

std::string CurrentStartTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);  // read once: date and time belong to the same moment
    return FormatStartTime(now, LOCALE_USER_DEFAULT);
}

bool OpenReport(HWND owner, const std::string& filePath) { return ShellOpen(owner, filePath, SW_SHOW); }
