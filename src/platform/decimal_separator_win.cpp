#include "platform/decimal_separator_win.h"

#include <windows.h>

std::string UserDecimalSeparator() {
    char separator[8] = {};  // at most three characters and the NUL
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) == 0) return ".";
    return separator;
}
