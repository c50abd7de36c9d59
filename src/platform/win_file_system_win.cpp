#include "platform/win_file_system_win.h"

#include <windows.h>

#include "platform/os_error_win.h"
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

void WinFileSystem::WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp";
    WriteWholeFile(temporary, bytes);
    // One step that either puts the whole new file in place or leaves the old one as it was
    // (a spreadsheet holding the file open refuses it).
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
    const DWORD error = GetLastError();
    DeleteFileA(temporary.c_str());
    throw std::runtime_error("Cannot replace file " + path + ". " + OsErrorFromCode(error).what());
}
