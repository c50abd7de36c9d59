#pragma once
#include <string>

// The Windows machine GUID ("6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8d") as the registry holds it:
// the text in lower case when it has that form, else empty (the value is untrusted).
std::string CheckedMachineGuid(const std::string& text);
