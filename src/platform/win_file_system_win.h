#pragma once
#include "platform/file_system.h"

// The real file system through the ...A functions (paths in code page 1252).
class WinFileSystem : public FileSystem {
public:
    bool FolderExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool DeleteFileIfExists(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& bytes) override;
    void WriteFileReplacing(const std::string& path, const std::string& bytes) override;
};
