#include "support/process_list.h"

#include <tlhelp32.h>

#include <vector>

#include "platform/scoped_win.h"
#include "support/window_automation.h"

namespace wt {

std::set<DWORD> ProcessesNamed(const std::string& exeName) {
    std::set<DWORD> ids;
    ScopedKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0) ids.insert(entry.th32ProcessID);
    }
    return ids;
}

std::set<DWORD> NewProcesses(const std::set<DWORD>& before, const std::set<DWORD>& now) {
    std::set<DWORD> added;
    for (DWORD id : now) {
        if (!before.count(id)) added.insert(id);
    }
    return added;
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOf(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->processId && IsWindowVisible(hwnd)) search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopWindowsOf(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::set<std::string> WindowCaptionsOf(DWORD processId, DWORD timeoutMs) {
    std::set<std::string> captions;
    WaitUntil([&] {
        for (HWND hwnd : TopWindowsOf(processId)) {
            const std::string caption = TextOf(hwnd);
            if (!caption.empty()) captions.insert(caption);
        }
        return !captions.empty();
    }, timeoutMs);
    return captions;
}

bool CloseProcess(DWORD processId, DWORD timeoutMs) {
    ScopedKernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
    if (!process.Valid()) return true;  // already gone
    for (HWND hwnd : TopWindowsOf(processId)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.Get(), timeoutMs) == WAIT_OBJECT_0) return true;
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
    return false;
}

int CloseNewFolderWindows(const std::set<DWORD>& explorersBefore, const std::string& caption, DWORD timeoutMs) {
    std::set<DWORD> folderWindows;
    WaitUntil([&] {
        for (DWORD explorer : NewProcesses(explorersBefore, ProcessesNamed("explorer.exe"))) {
            if (WindowCaptionsOf(explorer, 0).count(caption)) folderWindows.insert(explorer);
        }
        return !folderWindows.empty();
    }, timeoutMs);
    for (DWORD explorer : folderWindows) CloseProcess(explorer);
    return static_cast<int>(folderWindows.size());
}

}  // namespace wt
