#include "online/upgrader_handover_win.h"

#include <string>

#include "domain/app_paths.h"
#include "platform/folder_listing_win.h"
#include "platform/scoped_win.h"
#include "platform/sha256_win.h"
#include "upgrader/upgrader_command.h"

namespace {

const char* const kFolderPrefix = "Lurkmark upgrader ";

// 128 random bits in hex: another account or program cannot guess the folder in advance.
bool RandomName(std::string& name) {
    unsigned char bytes[16];
    if (!RandomBytes(bytes, sizeof bytes)) return false;
    const char* digits = "0123456789abcdef";
    name = kFolderPrefix;
    for (unsigned char b : bytes) {
        name += digits[b >> 4];
        name += digits[b & 15];
    }
    return true;
}

// The file is created new and not shared while it is written; then it is read back through a
// handle that lets nobody write, delete or rename it, and that handle is returned open so that
// the bytes compared are the bytes started.
ScopedFile WriteChecked(const std::string& path, const void* bytes, DWORD size, std::string& failure) {
    {
        ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY,
                                    nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.Get(), bytes, size, &written, nullptr) || written != size ||
            !FlushFileBuffers(file.Get())) {
            const DWORD error = GetLastError();
            failure = path + " could not be written (error " + std::to_string(error) + ")";
            return ScopedFile();
        }
    }
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string readBack(size + 1, '\0');
    DWORD read = 0;
    if (!file || !ReadFile(file.Get(), &readBack[0], size + 1, &read, nullptr) || read != size ||
        readBack.compare(0, size, static_cast<const char*>(bytes), size) != 0) {
        failure = path + " does not hold what was written";
        return ScopedFile();
    }
    return file;
}

}  // namespace

std::string HandOverParent(const std::string& programFolder) {
    char temp[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    std::string folder(temp, n > 0 && n < sizeof temp ? n : 0);
    const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) folder = programFolder;
    return JoinPath(folder, "");
}

std::string UpgraderListPath(const std::string& upgraderPath) {
    return upgraderPath.substr(0, upgraderPath.size() - 3) + "lst";
}

std::vector<std::string> HandOverFolders(const std::string& programFolder) {
    return FolderNamesIn(HandOverParent(programFolder), std::string(kFolderPrefix) + "*");
}

void DeleteLeftoverUpgrader(const std::string& programFolder) {
    const std::string parent = HandOverParent(programFolder);
    for (const std::string& name : HandOverFolders(programFolder)) {
        const std::string folder = parent + name + "\\";
        for (const char* file : {"Upgrader.exe", "Upgrader.lst", "Upgrader.inf"}) {
            SetFileAttributesA((folder + file).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + file).c_str());
        }
        RemoveDirectoryA(folder.c_str());  // not while an upgrader still runs from it
    }
}

ScopedFile WriteUpgrader(HMODULE module, const std::string& path, std::string& failure) {
    const HRSRC info = FindResourceA(module, "UPGRADER", "UPGRADER");
    const HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        failure = "the program carries no upgrader";
        return ScopedFile();
    }
    return WriteChecked(path, bytes, SizeofResource(module, info), failure);
}

HandOverResult HandOverToUpgrader(HMODULE module, DWORD processId, const std::string& programPath,
                                  const std::string& restartParams, bool externalSetup, const UpgradePlan& plan) {
    HandOverResult result;
    const std::string parent = HandOverParent(programPath.substr(0, programPath.rfind('\\') + 1));
    std::string name;
    if (!RandomName(name)) {
        result.failure = "no random folder name could be made";
        return result;
    }
    // Created here and now: a folder someone prepared is never used.
    const std::string folder = parent + name + "\\";
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        result.failure = "the folder " + folder + " could not be created (error " + std::to_string(error) + ")";
        return result;
    }
    result.upgraderPath = folder + "Upgrader.exe";
    const ScopedFile upgrader = WriteUpgrader(module, result.upgraderPath, result.failure);
    if (!upgrader) return result;
    const std::string list = ComposeUpgradeList(plan);
    const ScopedFile listFile = WriteChecked(UpgraderListPath(result.upgraderPath), list.data(),
                                             static_cast<DWORD>(list.size()), result.failure);
    if (!listFile) return result;
    const std::string infoPath = result.upgraderPath.substr(0, result.upgraderPath.size() - 3) + "inf";
    const ScopedFile infoFile = WriteChecked(infoPath, plan.signedInformation.data(),
                                             static_cast<DWORD>(plan.signedInformation.size()), result.failure);
    if (!infoFile) return result;
    const std::string commandLine =
        ComposeUpgraderCommandLine(result.upgraderPath, processId, programPath, restartParams, externalSetup);
    const UINT started = WinExec(commandLine.c_str(), SW_SHOWNORMAL);
    if (started <= 31) result.failure = result.upgraderPath + " could not be started (code " + std::to_string(started) + ")";
    return result;
}
