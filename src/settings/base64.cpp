#include "settings/base64.h"

#include <cstddef>
#include <cstdint>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kLineLength = 76;

int DigitValue(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string EncodeBase64Mime(const std::string& bytes) {
    std::string out;
    std::size_t lineUsed = 0;
    auto put = [&](char c) {
        if (lineUsed == kLineLength) {
            out += "\r\n";
            lineUsed = 0;
        }
        out += c;
        ++lineUsed;
    };
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
        std::uint32_t block = static_cast<unsigned char>(bytes[i]) << 16;
        if (n > 1) block |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (n > 2) block |= static_cast<unsigned char>(bytes[i + 2]);
        put(kAlphabet[(block >> 18) & 63]);
        put(kAlphabet[(block >> 12) & 63]);
        put(n > 1 ? kAlphabet[(block >> 6) & 63] : '=');
        put(n > 2 ? kAlphabet[block & 63] : '=');
    }
    return out;
}

std::string DecodeBase64Mime(const std::string& text) {
    std::string out;
    std::uint32_t block = 0;
    int digits = 0;
    for (unsigned char c : text) {
        const int v = DigitValue(c);
        if (v < 0) continue;
        block = (block << 6) | static_cast<std::uint32_t>(v);
        if (++digits == 4) {
            out += static_cast<char>((block >> 16) & 0xFF);
            out += static_cast<char>((block >> 8) & 0xFF);
            out += static_cast<char>(block & 0xFF);
            block = 0;
            digits = 0;
        }
    }
    if (digits == 3) {
        out += static_cast<char>((block >> 10) & 0xFF);
        out += static_cast<char>((block >> 2) & 0xFF);
    } else if (digits == 2) {
        out += static_cast<char>((block >> 4) & 0xFF);
    }
    return out;
}
