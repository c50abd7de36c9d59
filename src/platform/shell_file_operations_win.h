#pragma once
#include <windows.h>

#include "platform/file_operations.h"

// Copies and moves through SHFileOperationA: files only, no confirmation, no question before
// creating a folder, and the shell's small progress window titled "Please wait...". A failing
// operation may show the shell's own error message, owned by the given window.
class ShellFileOperations : public FileOperations {
public:
    // unattended: no progress window and no error message at all (the failure is still returned).
    explicit ShellFileOperations(HWND owner = nullptr, bool unattended = false) : owner_(owner), unattended_(unattended) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    bool Copy(const std::string& sourceFile, const std::string& targetFolder) override;
    bool Move(const std::string& sourceFile, const std::string& targetFile) override;
    void WriteLines(const std::string& path, const std::vector<std::string>& lines) override;

private:
    bool Run(UINT operation, const std::string& from, const std::string& to);

    HWND owner_;
    bool unattended_;
};
