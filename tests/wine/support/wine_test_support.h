#pragma once
// Helpers for tests that run under Wine against the real registry, files and processes.
#include <windows.h>

#include <map>
#include <string>

#include "platform/scoped_win.h"

namespace wt {

// An environment variable set by CTest (LURK_BIN_DIR, LURK_FIXTURES_DIR, ...); fails the test when missing.
std::string Env(const char* name);

// A fresh, empty folder under C:\lurktest, removed with everything in it afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder with a trailing backslash.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void RemoveTree(const std::string& folder);
void MakeFolders(const std::string& folder);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
// How many files and folders a FindFirstFile pattern such as "C:\\dir\\*.csv" matches.
int CountFiles(const std::string& pattern);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The settings key of the program (32-bit registry view, as the program sees it).
void DeleteSettingsKey();
void CreateSettingsKey(const std::map<std::string, std::string>& values = {});
// Missing value: "<missing>".
std::string ReadSettingsValue(const std::string& name);
void WriteSettingsDword(const std::string& name, DWORD value);

// Copies the built QWK_Lurkmark.exe into the folder; returns its full path.
std::string InstallProgram(const std::string& folder);
// Copies the frame recorder of that same build beside it, as the packages ship it.
void InstallFrameRecorder(const std::string& folder);

// A program started without waiting; terminated on destruction if it still runs.
class RunningProgram {
public:
    // hidden: the program's first window is shown hidden (as the pass starts the game).
    RunningProgram(const std::string& commandLine, const std::string& folder, bool hidden = false);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    DWORD ProcessId() const { return processId_; }
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;

private:
    ScopedKernelHandle process_;
    DWORD processId_ = 0;
};

struct ProcessResult {
    bool ended = false;
    DWORD exitCode = 0;
    DWORD elapsedMs = 0;
};
// Starts the command line in the folder and waits at most timeoutMs; a process still
// running then is terminated and reported as not ended. hidden: started with its window
// hidden, as the program starts the game.
ProcessResult RunAndWait(const std::string& commandLine, const std::string& folder, DWORD timeoutMs,
                         bool hidden = false);

}  // namespace wt
