#include "platform/shell_file_operations_win.h"

#include <shellapi.h>

#include "platform/text_file.h"

namespace {

// The shell takes lists of paths: each ended by NUL, the list by a second NUL.
std::string PathList(std::string path) {
    // A folder target with a trailing backslash is the same folder to the shell.
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    path.push_back('\0');
    path.push_back('\0');
    return path;
}

}  // namespace

bool ShellFileOperations::Run(UINT operation, const std::string& from, const std::string& to) {
    const std::string fromList = PathList(from);
    const std::string toList = PathList(to);
    SHFILEOPSTRUCTA op{};
    op.hwnd = owner_;
    op.wFunc = operation;
    op.pFrom = fromList.c_str();
    op.pTo = toList.c_str();
    op.fFlags = FOF_FILESONLY | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SIMPLEPROGRESS;
    if (unattended_) op.fFlags |= FOF_SILENT | FOF_NOERRORUI;
    op.lpszProgressTitle = "Please wait...";
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

bool ShellFileOperations::Copy(const std::string& sourceFile, const std::string& targetFolder) {
    return Run(FO_COPY, sourceFile, targetFolder);
}

bool ShellFileOperations::Move(const std::string& sourceFile, const std::string& targetFile) {
    return Run(FO_MOVE, sourceFile, targetFile);
}

void ShellFileOperations::WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    WriteLinesCrLf(path, lines);
}
