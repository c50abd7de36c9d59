#pragma once
#include <string>

// A calendar date and time of day, without a zone.
struct DateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const DateTime& o) const {
        return year == o.year && month == o.month && day == o.day && hour == o.hour && minute == o.minute &&
               second == o.second;
    }
};

// Reads a Date, Last-Modified or Expires header value: an optional day name, then day,
// month name and year separated by blanks or "-", a time hh:mm:ss and an optional zone
// offset such as "+0200". Two-digit years below 80 are 20xx, the others 19xx. The result
// is GMT, the offset taken out. False when the text cannot be read that way.
bool ParseHttpDate(const std::string& text, DateTime& gmt);

DateTime AddMinutes(const DateTime& time, long long minutes);

// Windows keeps the zone as a bias in minutes: UTC = local time + bias.
DateTime GmtToLocal(const DateTime& gmt, int biasMinutes);
