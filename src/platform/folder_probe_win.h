#pragma once
// Plain C-style code without the C++ library: the upgrader uses it too.

// Whether this process may create files in the folder (given with trailing backslash): a probe
// file is made and gone again at once.
bool FolderAcceptsNewFiles(const char* folder);
