#pragma once
#include <string>

// The program's own text is code page 1252; the result data files are UTF-8.
// Characters without a place in code page 1252 become "?". The text must be valid UTF-8
// (the reader of the data files checks that).
std::string Utf8ToCp1252(const std::string& utf8);
