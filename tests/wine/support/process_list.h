#pragma once
// Processes that the program under test starts through the shell (a viewer, the folder
// window): found by executable name, ended by id.
#include <windows.h>

#include <set>
#include <string>

namespace wt {

// The ids of the running processes whose executable file has this name (any letter case).
std::set<DWORD> ProcessesNamed(const std::string& exeName);
// The ids in `now` that are not in `before`.
std::set<DWORD> NewProcesses(const std::set<DWORD>& before, const std::set<DWORD>& now);
// The captions of the process's visible top-level windows, waiting up to timeoutMs for one.
std::set<std::string> WindowCaptionsOf(DWORD processId, DWORD timeoutMs = 10000);
// Asks the process's top-level windows to close and waits up to timeoutMs; a process still
// running then is terminated. True when it ended of itself.
bool CloseProcess(DWORD processId, DWORD timeoutMs = 5000);
// Waits (bounded) for a folder window with this caption in an explorer.exe started since
// `explorersBefore`, then closes every such window's process and returns how many there were.
// Only windows with the caption are touched: the shell's desktop is an explorer.exe too, and
// Wine may start it during the test; ending it would take every later window with it.
int CloseNewFolderWindows(const std::set<DWORD>& explorersBefore, const std::string& caption,
                          DWORD timeoutMs = 20000);

}  // namespace wt
