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

// One standard stream of the program: the end it writes to is inherited, the test keeps the other.
class Capture {
public:
    Capture(Redirection redirection, const std::string& path) : path_(path) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        if (redirection == Redirection::Files) {
            write_ = InheritableFile(path);
            return;
        }
        HANDLE read = nullptr;
        HANDLE write = nullptr;
        // Room for everything a pass prints, so the program never waits for the reader.
        if (!CreatePipe(&read, &write, &inherit, 1 << 16)) return;
        read_.Reset(read);
        write_.Reset(write);
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    }
    HANDLE ProgramEnd() const { return write_.Get(); }
    // Once the program has ended: all it wrote.
    std::string Collect() {
        write_.Reset();
        if (!read_) {
            const std::string bytes = ReadFileBytes(path_);
            DeleteFileA(path_.c_str());
            return bytes;
        }
        std::string bytes;
        char block[4096];
        DWORD got = 0;
        while (ReadFile(read_.Get(), block, sizeof block, &got, nullptr) && got > 0) bytes.append(block, got);
        return bytes;
    }

private:
    std::string path_;
    ScopedFile read_;
    ScopedFile write_;
};

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

UnattendedRun RunUnattended(const std::string& commandLine, const std::string& folder, unsigned long timeoutMs,
                            Redirection redirection) {
    UnattendedRun run;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Capture out(redirection, std::string(temp) + "lurk_unattended_out.txt");
    Capture err(redirection, std::string(temp) + "lurk_unattended_err.txt");
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = out.ProgramEnd();
        startup.hStdError = err.ProgramEnd();
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
    run.out = out.Collect();
    run.err = err.Collect();
    return run;
}

}  // namespace wt
