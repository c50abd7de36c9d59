#include "online/http_date.h"

#include <cctype>
#include <cstddef>

#include "platform/civil_days.h"

namespace {

const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};

// A day count (platform/civil_days.h) back to its proleptic Gregorian date.
void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }
    // At least one blank or "-".
    bool Separator() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '-')) ++pos_;
        return pos_ > start;
    }
    bool Char(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    std::string Letters() {
        std::string word;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_++])));
        }
        return word;
    }
    // minDigits..maxDigits decimal digits.
    bool Number(std::size_t minDigits, std::size_t maxDigits, int& value, std::size_t* digits = nullptr) {
        std::size_t n = 0;
        value = 0;
        while (pos_ < text_.size() && n < maxDigits && text_[pos_] >= '0' && text_[pos_] <= '9') {
            value = value * 10 + (text_[pos_++] - '0');
            ++n;
        }
        if (digits) *digits = n;
        return n >= minDigits;
    }
    bool AtDigit() const { return pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9'; }
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

private:
    const std::string& text_;
    std::size_t pos_ = 0;
};

int MonthNumber(const std::string& name) {
    if (name.size() < 3) return 0;
    for (int i = 0; i < 12; ++i) {
        if (name.compare(0, 3, kMonths[i]) == 0) return i + 1;
    }
    return 0;
}

}  // namespace

bool ParseHttpDate(const std::string& text, DateTime& gmt) {
    Reader r(text);
    r.SkipBlanks();
    if (!r.AtDigit()) {
        if (r.Letters().empty()) return false;
        r.Char(',');
        r.SkipBlanks();
    }
    DateTime t;
    std::size_t yearDigits = 0;
    if (!r.Number(1, 2, t.day) || !r.Separator()) return false;
    t.month = MonthNumber(r.Letters());
    if (t.month == 0 || !r.Separator()) return false;
    if (!r.Number(2, 4, t.year, &yearDigits) || yearDigits == 3) return false;
    if (yearDigits == 2) t.year += t.year < 80 ? 2000 : 1900;
    r.SkipBlanks();
    if (!r.Number(2, 2, t.hour) || !r.Char(':') || !r.Number(2, 2, t.minute) || !r.Char(':') ||
        !r.Number(2, 2, t.second)) {
        return false;
    }
    if (t.day < 1 || t.day > DaysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59) {
        return false;
    }
    r.SkipBlanks();
    const char sign = r.Peek();
    if (sign == '+' || sign == '-') {
        r.Char(sign);
        int hhmm = 0;
        if (!r.Number(4, 4, hhmm) || hhmm % 100 > 59) return false;
        const int offset = (hhmm / 100) * 60 + hhmm % 100;
        // "+0200" is two hours ahead of GMT: GMT is two hours earlier.
        t = AddMinutes(t, sign == '+' ? -offset : offset);
    }
    gmt = t;
    return true;
}

DateTime AddMinutes(const DateTime& time, long long minutes) {
    long long total = (DaysFromCivil(time.year, time.month, time.day) * 24 + time.hour) * 60 + time.minute + minutes;
    long long days = total / 1440;
    long long minuteOfDay = total % 1440;
    if (minuteOfDay < 0) {
        minuteOfDay += 1440;
        --days;
    }
    DateTime result = time;
    CivilFromDays(days, result.year, result.month, result.day);
    result.hour = static_cast<int>(minuteOfDay / 60);
    result.minute = static_cast<int>(minuteOfDay % 60);
    return result;
}

DateTime GmtToLocal(const DateTime& gmt, int biasMinutes) {
    return AddMinutes(gmt, -biasMinutes);
}
