#include "platform/win_file_system_win.h"

#include <windows.h>

#include "platform/text_file.h"

bool WinFileSystem::FolderExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::FileExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::CreateFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool WinFileSystem::DeleteFileIfExists(const std::string& path) {
    if (!FileExists(path)) return true;
    return DeleteFileA(path.c_str()) != 0;
}

bool WinFileSystem::ReadFile(const std::string& path, std::string& bytes) {
    return ReadWholeFile(path, bytes);
}
