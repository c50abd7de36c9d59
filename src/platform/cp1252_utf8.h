#pragma once
#include <string>

// Program text (code page 1252) as UTF-8, for the files that other programs read as UTF-8.
// The five bytes that code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the
// control characters of the same number, as Windows' own conversion does.
std::string Cp1252ToUtf8(const std::string& text);
