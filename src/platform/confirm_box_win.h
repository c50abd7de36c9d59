#pragma once
#include <windows.h>

#include <string>

// A confirmation box with Yes and No; any answer but Yes (closing it too) counts as No.
bool AskYesNo(HWND owner, const std::string& text);
