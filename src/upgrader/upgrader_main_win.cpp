// The upgrader: started by the program after an update has been downloaded, it waits until
// the program has ended, puts the downloaded files in place and starts the program again.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/folder_listing_win.h"
#include "platform/scoped_win.h"
#include "upgrader/upgrade_plan.h"
#include "upgrader/upgrader_command.h"

namespace {

constexpr const char* kCaption = "Lurkmark Upgrader";

// WinExec returns only once the started program waits for its first message (or after 30
// seconds): wait for one timer message at once, so that the program can end without delay.
void AnnounceReady() {
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, nullptr);
    MSG msg;
    GetMessageA(&msg, nullptr, 0, 0);
    KillTimer(nullptr, timer);
}

void DrainMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// A running program's file cannot be opened for writing; once it can, the program has ended.
// A file that is not there at all has nothing to wait for. The wait runs at the lowest
// priority, so that it does not slow down the program it waits for.
void WaitUntilWritable(const std::string& path) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);
    for (;;) {
        ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (file) break;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) break;
        DrainMessages();
        Sleep(1);
    }
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

// Replaces in one step, so a failure leaves the old file as it was.
bool ReplaceFile(const std::string& temporary, const std::string& target, DWORD attributes) {
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return false;
    }
    SetFileAttributesA(target.c_str(), attributes);
    return true;
}

bool Start(const std::string& path, const std::string& restartArgument, const std::string& folder) {
    std::string commandLine = RestartCommandLine(path, restartArgument);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const auto command = ParseUpgraderArguments(std::vector<std::string>(__argv + 1, __argv + __argc));
    if (!command) {
        MessageBoxA(nullptr,
                    "This program completes updates of Lurkmark.\r\n"
                    "Lurkmark starts it by itself once an update has been downloaded.",
                    kCaption, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    AnnounceReady();
    WaitUntilWritable(command->programPath);

    const std::string& folder = command->programFolder;
    const UpgradePlan plan =
        PlanUpgrade(FileNamesIn(folder, "*.uTMP"), FileNameOf(command->programPath), command->externalSetup);
    std::string failed;
    for (const FileReplacement& r : plan.replacements) {
        const bool setup = r.targetName == plan.setupName;
        const DWORD attributes = setup ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_ARCHIVE;
        if (!ReplaceFile(folder + r.temporaryName, folder + r.targetName, attributes)) {
            failed += "\r\n" + r.targetName;
        }
    }

    if (!plan.setupName.empty()) {
        const std::string setup = folder + plan.setupName;
        if (Start(setup, command->restartArgument, folder)) {
            WaitUntilWritable(setup);
        } else {
            failed += "\r\n" + plan.setupName + " (could not be started)";
        }
        SetFileAttributesA(setup.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(setup.c_str());
    }
    const bool started = Start(command->programPath, command->restartArgument, folder);
    if (!failed.empty()) {
        MessageBoxA(nullptr, ("These files of Lurkmark could not be updated:" + failed).c_str(), kCaption,
                    MB_OK | MB_ICONWARNING);
    }
    if (!started) {
        MessageBoxA(nullptr, ("Lurkmark could not be started again:\r\n" + command->programPath).c_str(), kCaption,
                    MB_OK | MB_ICONERROR);
    }
    return failed.empty() && started ? 0 : 1;
}
