#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Files are code page 1252 bytes, written whole, every line ended by CR LF.

// Replaces the file with the lines, each followed by CR LF. Throws std::runtime_error
// naming the path when the file cannot be written.
void WriteLinesCrLf(const std::string& path, const std::vector<std::string>& lines);

// Replaces the file with exactly these bytes; throws like WriteLinesCrLf.
void WriteWholeFile(const std::string& path, const std::string& bytes);

// Reads the whole file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Reads the whole file unless it holds more than maxBytes (then `bytes` is left empty): for
// files named by untrusted data, whose size nothing else limits.
enum class BoundedRead { Read, NotRead, TooLarge };
BoundedRead ReadFileUpTo(const std::string& path, unsigned long long maxBytes, std::string& bytes);
