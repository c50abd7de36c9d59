#include "support/unattended_run.h"

#include <windows.h>

#include "platform/scoped_win.h"
#include "support/wine_test_support.h"

namespace wt {

namespace {

ScopedFile InheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ScopedFile(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found = true;
    return !search->found;
}

}  // namespace

UnattendedRun RunUnattended(const std::string& commandLine, const std::string& folder, unsigned long timeoutMs) {
    UnattendedRun run;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string outPath = std::string(temp) + "lurk_unattended_out.txt";
    const std::string errPath = std::string(temp) + "lurk_unattended_err.txt";
    {
        ScopedFile out = InheritableFile(outPath);
        ScopedFile err = InheritableFile(errPath);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = out.Get();
        startup.hStdError = err.Get();
        PROCESS_INFORMATION info{};
        std::string line = commandLine;
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup, &info)) {
            return run;
        }
        ScopedKernelHandle process(info.hProcess);
        ScopedKernelHandle thread(info.hThread);
        const DWORD start = GetTickCount();
        // Polled often enough to see a message box or the main window, which stay on screen.
        while (WaitForSingleObject(process.Get(), 50) == WAIT_TIMEOUT) {
            WindowSearch search{info.dwProcessId, false};
            EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
            run.windowShown = run.windowShown || search.found;
            if (GetTickCount() - start > timeoutMs) {
                TerminateProcess(process.Get(), 1);
                WaitForSingleObject(process.Get(), 5000);
                break;
            }
        }
        DWORD code = 0;
        run.ended = GetExitCodeProcess(process.Get(), &code) && code != STILL_ACTIVE && GetTickCount() - start <= timeoutMs;
        run.exitCode = code;
    }
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    DeleteFileA(outPath.c_str());
    DeleteFileA(errPath.c_str());
    return run;
}

}  // namespace wt
