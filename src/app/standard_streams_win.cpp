#include "app/standard_streams_win.h"

#include <vector>

#include "platform/cp1252_utf8.h"

namespace {

// A file or pipe the caller gave. A console handle is left out: a GUI program is not
// attached to the console it may have inherited, so writing to it would fail.
HANDLE Redirected(DWORD which) {
    HANDLE stream = GetStdHandle(which);
    if (!stream || stream == INVALID_HANDLE_VALUE) return nullptr;
    const DWORD type = GetFileType(stream);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE ? stream : nullptr;
}

}  // namespace

StandardStreams::StandardStreams() : out_(Redirected(STD_OUTPUT_HANDLE)), err_(Redirected(STD_ERROR_HANDLE)) {
    if ((out_ && err_) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    console_.Reset(CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr));
    if (!console_) return;
    if (!out_) out_ = console_.Get();
    if (!err_) err_ = console_.Get();
}

void StandardStreams::Write(HANDLE stream, const std::string& line) const {
    if (!stream) return;
    const std::string text = line + "\r\n";
    // A job log that stopped reading (a closed pipe) must not stop the pass: what the lines
    // say is in the report, the data file and the debug log as well.
    DWORD written = 0;
    if (stream == console_.Get()) {
        // A vector, not std::wstring: that alone would link the C++ library's whole wide string.
        std::vector<wchar_t> wide(text.size(), L'\0');
        const int length = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                               static_cast<int>(wide.size()));
        WriteConsoleW(stream, wide.data(), static_cast<DWORD>(length), &written, nullptr);
        return;
    }
    const std::string bytes = Cp1252ToUtf8(text);
    WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
