#pragma once
#include <string>

// MIME base64 of 8-bit text: standard alphabet, "=" padding, CR LF after every 76 output
// characters but none after the last line.
std::string EncodeBase64Mime(const std::string& bytes);

// Skips every character outside the alphabet; a final group of 3 or 2 characters yields
// 2 or 1 bytes, a lone left-over character nothing.
std::string DecodeBase64Mime(const std::string& text);
