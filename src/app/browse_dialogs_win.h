#pragma once
#include <windows.h>

#include <optional>
#include <string>

// Both dialogs open at `startFolder`, the folder the field shows now (empty, or a folder
// that is gone: where the system would open them).

// The open-file dialog with a title and a filter written "Description|pattern|...".
// The chosen file's full path; nothing when cancelled.
std::optional<std::string> BrowseForFile(HWND owner, const char* title, const std::string& filter,
                                         const std::string& startFolder);
// The folder dialog (with buttons to make new folders); the chosen folder as the shell
// returns it, without trailing backslash except for a drive root; nothing when cancelled.
std::optional<std::string> BrowseForFolder(HWND owner, const char* title, const std::string& startFolder);
