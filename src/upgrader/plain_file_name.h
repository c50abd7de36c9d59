#pragma once
// The one rule for a name that a download is stored under and that the upgrader writes: a
// file directly inside one folder, and exactly the file Windows then opens. Plain C-style code
// without the C++ library: the upgrader uses it too.

// The longest name accepted, in characters.
constexpr int kPlainFileNameMax = 260;

// False for an empty or too long name, one holding ".." or a control character or any of
// \ / : * ? " < > |, one ending in a dot or a blank (Windows drops them, so another file would
// be written), and a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, whatever follows a dot).
bool IsPlainFileName(const char* start, const char* end);
