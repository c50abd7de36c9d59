#include "online/upgrader_handover_win.h"

#include <exception>

#include "domain/app_paths.h"
#include "platform/scoped_win.h"
#include "platform/text_file.h"
#include "upgrader/upgrader_command.h"

std::string UpgraderPath(const std::string& programFolder) {
    char temp[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    std::string folder(temp, n > 0 && n < sizeof temp ? n : 0);
    const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) folder = programFolder;
    return JoinPath(folder, "Upgrader.exe");
}

std::string UpgraderListPath(const std::string& upgraderPath) {
    return upgraderPath.substr(0, upgraderPath.size() - 3) + "lst";
}

void DeleteLeftoverUpgrader(const std::string& programFolder) {
    const std::string path = UpgraderPath(programFolder);
    for (const std::string& file : {path, UpgraderListPath(path)}) {
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file.c_str());
    }
}

bool WriteUpgrader(HMODULE module, const std::string& path) {
    const HRSRC info = FindResourceA(module, "UPGRADER", "UPGRADER");
    const HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    const DWORD size = SizeofResource(module, info);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY,
                                nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes, size, &written, nullptr) && written == size;
}

void HandOverToUpgrader(HMODULE module, DWORD processId, const std::string& programPath,
                        const std::string& restartParams, bool externalSetup, const UpgradePlan& plan) {
    const std::string folder = programPath.substr(0, programPath.rfind('\\') + 1);
    const std::string upgrader = UpgraderPath(folder);
    WriteUpgrader(module, upgrader);
    try {
        WriteWholeFile(UpgraderListPath(upgrader), ComposeUpgradeList(plan));
    } catch (const std::exception&) {
        // The upgrader then applies nothing and says that its list is missing.
    }
    WinExec(ComposeUpgraderCommandLine(upgrader, processId, programPath, restartParams, externalSetup)
                .c_str(),
            SW_SHOWNORMAL);
}
