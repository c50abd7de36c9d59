#include "upgrader/plain_file_name.h"

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameUpper(const char* start, const char* end, const char* word) {
    for (; start < end && *word; ++start, ++word) {
        if (Upper(*start) != *word) return false;
    }
    return start == end && !*word;
}

// Windows takes the superscript digits of code page 1252 (\xB9, \xB2, \xB3) for port numbers
// as well: "COM\xB9" is a device like "COM1".
bool IsDevicePortDigit(unsigned char c) { return (c >= '1' && c <= '9') || c == 0xB9 || c == 0xB2 || c == 0xB3; }

// Windows opens the device for these whatever extension follows, and blanks before the dot
// do not change that.
bool IsDeviceName(const char* start, const char* end) {
    const char* base = start;
    while (base < end && *base != '.') ++base;
    while (base > start && base[-1] == ' ') --base;
    const char* const devices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : devices) {
        if (SameUpper(start, base, device)) return true;
    }
    return base - start == 4 && (SameUpper(start, start + 3, "COM") || SameUpper(start, start + 3, "LPT")) &&
           IsDevicePortDigit(static_cast<unsigned char>(start[3]));
}

}  // namespace

bool IsPlainFileName(const char* start, const char* end) {
    if (start >= end || end - start > kPlainFileNameMax) return false;
    for (const char* p = start; p < end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 32) return false;
        for (const char* bad = "\\/:*?\"<>|"; *bad; ++bad) {
            if (c == static_cast<unsigned char>(*bad)) return false;
        }
        if (c == '.' && p + 1 < end && p[1] == '.') return false;
    }
    if (end[-1] == '.' || end[-1] == ' ') return false;
    return !IsDeviceName(start, end);
}
