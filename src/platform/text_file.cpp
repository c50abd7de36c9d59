#include "platform/text_file.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScopedStdioFile = std::unique_ptr<std::FILE, FileCloser>;

// The size as a 64-bit number, so that a file over 2 GB is not taken for a small one;
// negative when it cannot be told. Leaves the file positioned at its start.
long long FileSize(std::FILE* file) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0) return -1;
    const long long size = _ftelli64(file);
    return _fseeki64(file, 0, SEEK_SET) == 0 ? size : -1;
#else
    if (fseeko(file, 0, SEEK_END) != 0) return -1;
    const long long size = ftello(file);
    return fseeko(file, 0, SEEK_SET) == 0 ? size : -1;
#endif
}

}  // namespace

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("Cannot create file " + path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // Closing flushes the buffer: a failed close is a failed write too.
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) throw std::runtime_error("Cannot write file " + path);
}

void WriteLinesCrLf(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    WriteWholeFile(path, bytes);
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    ScopedStdioFile file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    // One buffer of the file's size: a large file is held once, not in ever doubling copies.
    const long long size = FileSize(file.get());
    if (size < 0 || static_cast<unsigned long long>(size) >= bytes.max_size()) return false;
    bytes.assign(static_cast<std::size_t>(size), '\0');
    bytes.resize(std::fread(&bytes[0], 1, bytes.size(), file.get()));
    // A file still being written may have grown meanwhile.
    if (bytes.size() == static_cast<std::size_t>(size)) {
        char chunk[4096];
        while (const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.get())) bytes.append(chunk, count);
    }
    return !std::ferror(file.get());
}

bool ReadFileHead(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    ScopedStdioFile file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    bytes.assign(maxBytes, '\0');
    bytes.resize(std::fread(&bytes[0], 1, maxBytes, file.get()));
    return !std::ferror(file.get());
}
