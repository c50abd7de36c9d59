#include "support/large_console_log.h"

#include <windows.h>

#include <stdexcept>

#include "platform/scoped_win.h"

namespace wt {

const char* const kConsoleResultLine = "2148 frames rendered in 19.1 seconds = 64.2 fps\n";

namespace {

constexpr std::size_t kMegabyte = 1 << 20;

void WriteBlock(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        throw std::runtime_error("cannot write the console log");
    }
}

}  // namespace

void WriteLargeConsoleLog(const std::string& path, int megabytes, bool withScore) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file.Valid()) throw std::runtime_error("cannot create " + path);
    const std::string line = "WARNING: Couldn't load image: textures/decals/bloodspray_03 (default used)\n";
    std::string block;
    while (block.size() + line.size() <= kMegabyte) block += line;
    block.append(kMegabyte - block.size(), '.');
    for (int i = 0; i + 1 < megabytes; ++i) WriteBlock(file.Get(), block);
    // The last megabyte: console lines, then the end of the demo with its result.
    const std::string ending = std::string("stopped playing demos/rivo3v-5.demo.\n") +
                               (withScore ? kConsoleResultLine : "") + "Shutting down OpenGL subsystem\n";
    WriteBlock(file.Get(), block.substr(0, kMegabyte - ending.size()) + ending);
}

}  // namespace wt
