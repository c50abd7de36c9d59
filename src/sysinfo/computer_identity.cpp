#include "sysinfo/computer_identity.h"

#include "platform/ascii_case.h"

std::string CheckedMachineGuid(const std::string& text) {
    if (text.size() != 36) return "";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (dash ? c != '-' : !hex) return "";
    }
    return AsciiLower(text);
}
