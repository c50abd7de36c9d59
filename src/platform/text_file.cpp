#include "platform/text_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("Cannot create file " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("Cannot write file " + path);
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
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    // One buffer of the file's size: a large file is held once, not in ever doubling copies.
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<unsigned long long>(size) >= bytes.max_size() || !in.seekg(0)) return false;
    bytes.assign(static_cast<std::size_t>(size), '\0');
    in.read(&bytes[0], static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    // A file still being written may have grown meanwhile.
    if (in) bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}
