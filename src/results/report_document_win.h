#pragma once
#include <windows.h>

#include <string>

// The Win32 half of the report: the pass start time and opening the saved file.

// The date and time in the locale's short date and long time formats, one blank between.
std::string FormatStartTime(const SYSTEMTIME& time, LCID locale);
// Now, in the user's own formats (regional settings, including any customisation).
std::string CurrentStartTime();

// One reading of the clock: the local time and its offset from UTC then (summer time included).
struct LocalMoment {
    SYSTEMTIME local{};
    int offsetMinutes = 0;
};
LocalMoment CurrentMoment();
// ISO 8601 with the offset, such as 2026-12-10T13:26:14+01:00.
std::string IsoTimeOf(const LocalMoment& moment);

// Hands the report to the user's program for .htm files ("open", shown with SW_SHOW) and
// does not wait for it. False when the shell could not open it; with an owner window the
// shell has then shown its own message.
bool OpenReport(HWND owner, const std::string& filePath);
