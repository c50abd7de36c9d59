#include "results/report_document_win.h"

#include "platform/shell_win.h"
#include "results/report_document.h"

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

std::string CurrentStartTime() { return FormatStartTime(CurrentMoment().local, LOCALE_USER_DEFAULT); }

LocalMoment CurrentMoment() {
    LocalMoment moment;
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    FILETIME local;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &moment.local)) {
        GetLocalTime(&moment.local);
        return moment;
    }
    const auto ticks = [](const FILETIME& f) {
        return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
    };
    const long long offsetSeconds = (ticks(local) - ticks(utc)) / 10000000;
    moment.offsetMinutes = static_cast<int>((offsetSeconds + (offsetSeconds < 0 ? -30 : 30)) / 60);
    return moment;
}

std::string IsoTimeOf(const LocalMoment& m) {
    const SYSTEMTIME& t = m.local;
    return IsoTimeText(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, m.offsetMinutes);
}

bool OpenReport(HWND owner, const std::string& filePath) { return ShellOpen(owner, filePath, SW_SHOW); }
