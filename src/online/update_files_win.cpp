#include "online/update_files_win.h"

#include "online/older_windows.h"
#include "online/update_texts.h"
#include "platform/folder_listing_win.h"
#include "platform/folder_probe_win.h"
#include "platform/scoped_win.h"
#include "platform/windows_version_win.h"

int DeleteTemporaryDownloads(const std::string& folder) {
    int failed = 0;
    for (const std::string& name : FileNamesIn(folder, "*.uTMP")) {
        const std::string path = folder + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str())) ++failed;
    }
    return failed;
}

std::string UpdateDownloadFolder(const std::string& programFolder) {
    if (FolderAcceptsNewFiles(programFolder.c_str())) return programFolder;
    char temp[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n >= sizeof temp) return programFolder;
    const std::string folder = std::string(temp, n) + "Lurkmark update\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool StampFileTimes(const std::string& path, std::uint64_t fileTimeUtc) {
    ScopedFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(fileTimeUtc);
    time.dwHighDateTime = static_cast<DWORD>(fileTimeUtc >> 32);
    return SetFileTime(file.Get(), &time, nullptr, &time) != FALSE;
}

UpdateEvents MainWindowUpdateEvents(HWND owner, const std::string& caption) {
    UpdateEvents events;
    const auto aborted = [owner, caption] { MessageBoxA(owner, kUpdateAbortedText, caption.c_str(), MB_OK); };
    events.OnAborted = aborted;
    events.OnLaterUpgrade = aborted;
    events.OnHostUnreachable = [owner, caption](const std::string&, const std::string&) {
        MessageBoxA(owner, kNoInternetConnectionText, caption.c_str(), MB_OK);
    };
    events.OnCertificateError = [owner, caption](const std::string&) {
        MessageBoxA(owner, SecureConnectionFailedText(RunningWindowsVersion()), caption.c_str(), MB_OK | MB_ICONERROR);
    };
    return events;
}
