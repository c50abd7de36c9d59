// Date, Last-Modified and Expires header values, whatever a server sends: a date read is a
// real calendar date, and writing it back in the common form reads the same again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_check.h"
#include "online/http_date.h"

namespace {

const char* const kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool IsRealDate(const DateTime& t) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.month < 1 || t.month > 12 || t.day < 1) return false;
    const int days = t.month == 2 && IsLeap(t.year) ? 29 : kDays[t.month - 1];
    return t.day <= days && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 &&
           t.second <= 59;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    DateTime gmt;
    if (!ParseHttpDate(text, gmt)) return 0;
    FUZZ_CHECK(IsRealDate(gmt));
    // An offset (at most 99:59) moves a year of four digits by at most a few days.
    FUZZ_CHECK(gmt.year >= -1 && gmt.year <= 10000);

    if (gmt.year >= 0 && gmt.year <= 9999) {
        char written[64];
        std::snprintf(written, sizeof written, "%02d %s %04d %02d:%02d:%02d GMT", gmt.day, kMonthNames[gmt.month - 1],
                      gmt.year, gmt.hour, gmt.minute, gmt.second);
        DateTime again;
        FUZZ_CHECK(ParseHttpDate(written, again) && again == gmt);
    }
    // Any zone bias Windows can hold (up to a day either way) keeps a real date and can be undone.
    for (int bias : {-1440, -780, -60, 0, 210, 720, 1440}) {
        const DateTime local = GmtToLocal(gmt, bias);
        FUZZ_CHECK(IsRealDate(local));
        FUZZ_CHECK(AddMinutes(local, bias) == gmt);
    }
    return 0;
}
