#pragma once
#include <stdexcept>
#include <string>

// The file-system questions and actions the portable core needs; the Win32 shell answers
// them for real and the unit tests with an in-memory fake. Paths are code page 1252.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FolderExists(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Creates one folder level; its parent must exist. False on failure.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Deletes the file when it exists; false only when it exists and cannot be deleted.
    virtual bool DeleteFileIfExists(const std::string& path) = 0;
    // False when the file cannot be opened.
    virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
};

// Deletes the file when it exists; a file that stays behind is an error naming it.
inline void DeleteFileOrThrow(FileSystem& files, const std::string& path) {
    if (!files.DeleteFileIfExists(path)) throw std::runtime_error("Cannot delete file " + path);
}
