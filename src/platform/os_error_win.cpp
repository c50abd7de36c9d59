#include "platform/os_error_win.h"

#include <string>

OsError OsErrorFromCode(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    // The system's texts end with CR LF (sometimes after a full stop); a message box needs neither.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "System error " + std::to_string(code) + ".";
    return OsError(code, text);
}
