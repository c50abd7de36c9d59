#pragma once
#include <functional>
#include <string>

// A text too long for its field, shortened in the middle: "C:\Users\...\new graphics card".
// The start keeps about a third of what stays, the end the rest (where a path names its
// folder). `fits` says whether a text fits the field. A text that fits is returned as it is;
// when not even "..." fits, "..." is returned.
std::string ShortenInTheMiddle(const std::string& text, const std::function<bool(const std::string&)>& fits);
