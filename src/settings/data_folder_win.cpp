#include "settings/data_folder_win.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/scoped_win.h"

namespace {

// Creating a file is the one test that answers for every reason a folder may refuse it:
// rights, a read-only medium, a locked-down network share.
bool CanCreateFilesIn(const std::string& folder) {
    const std::string probe = folder + "lurkmark-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    ScopedFile file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!file) return false;
    file.Reset();
    DeleteFileA(probe.c_str());
    return true;
}

std::string LurkmarkFolderIn(int csidl) {
    char base[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, base))) return "";
    return std::string(base) + "\\Quenwick\\Lurkmark\\";
}

void CreateLurkmarkFolder(const std::string& folder) {
    const std::string vendor = folder.substr(0, folder.size() - std::string("Lurkmark\\").size());
    CreateDirectoryA(vendor.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace

std::string MachineDataFolder() { return LurkmarkFolderIn(CSIDL_COMMON_APPDATA); }

std::string UserDataFolder() {
    const std::string folder = LurkmarkFolderIn(CSIDL_LOCAL_APPDATA);
    if (!folder.empty()) CreateLurkmarkFolder(folder);
    return folder;
}

std::string DataDirFor(const std::string& benchDir) {
    if (CanCreateFilesIn(benchDir)) return "";
    const std::string folder = MachineDataFolder();
    if (folder.empty()) return "";
    CreateLurkmarkFolder(folder);
    return folder;
}
