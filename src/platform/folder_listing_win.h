#pragma once
// Header only: the upgrader, a program of its own, uses it too.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/scoped_win.h"

// The names of the files (or, with folders set, the folders) in the folder (with trailing
// backslash) that match the wildcard pattern, in the order the file system lists them.
inline std::vector<std::string> NamesIn(const std::string& folder, const std::string& pattern, bool folders) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((folder + pattern).c_str(), &data));
    if (!find) return names;
    do {
        if (((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folders) names.push_back(data.cFileName);
    } while (FindNextFileA(find.Get(), &data));
    return names;
}

inline std::vector<std::string> FileNamesIn(const std::string& folder, const char* pattern) {
    return NamesIn(folder, pattern, false);
}

inline std::vector<std::string> FolderNamesIn(const std::string& folder, const std::string& pattern) {
    return NamesIn(folder, pattern, true);
}
