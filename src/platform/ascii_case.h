#pragma once
// Header only: the upgrader, a program of its own, uses it too.
#include <string>

// Case folding of the ASCII letters alone: code page 1252 letters above 127 stay as they
// are, and the length never changes, so positions in the folded text hold in the original.
inline std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

inline std::string AsciiUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}
