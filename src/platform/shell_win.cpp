#include "platform/shell_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "platform/shell_target.h"

namespace {

// Checked right before the shell is called: a document must be a file, a folder a folder.
bool MayOpen(const std::string& target) {
    const ShellTarget kind = ClassifyShellTarget(target);
    if (kind == ShellTarget::WebAddress) return true;
    if (kind == ShellTarget::Refused) return false;
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kind == ShellTarget::Folder : kind == ShellTarget::Document;
}

}  // namespace

bool ShellOpen(const std::string& target) { return ShellOpen(nullptr, target, SW_SHOWNORMAL); }

bool ShellOpen(HWND owner, const std::string& target, int showCommand) {
    if (!MayOpen(target)) return false;
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", target.c_str(), "", "", showCommand));
    return result > 32;
}

std::vector<std::string> ProgramArguments() {
    // The runtime splits the command line by the platform's rules: blanks separate
    // arguments, double quotes group them and are removed.
    return std::vector<std::string>(__argv, __argv + __argc);
}

std::string ProgramPath() {
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n < sizeof path ? n : 0);
}

std::string ProgramFolder() {
    const std::string path = ProgramPath();
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string SystemFolder() {
    char path[MAX_PATH];
    const UINT n = GetSystemDirectoryA(path, sizeof path);
    return std::string(path, n < sizeof path ? n : 0);
}
