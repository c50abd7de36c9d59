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
    bool CreateNewFile(const std::string& path) override;
    // The lock is a byte-range lock on the whole file (LockFileEx), which Windows holds for
    // every process on every PC that opens the file, SMB shares included. While it waits for
    // the lock, the calling thread's messages go on being handled.
    bool AppendUnderLock(const std::string& path, unsigned waitMs,
                         const std::function<std::string(const AppendedFileState&)>& compose) override;
};
