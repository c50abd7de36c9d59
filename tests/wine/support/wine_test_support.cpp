#include "support/wine_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/scoped_win.h"
#include "settings/registry_settings_store_win.h"

namespace wt {

namespace {
// The program's own key and view: both builds of the tests see what both builds of it store.
const char* const kSettingsKey = RegistrySettingsStore::kKeyPath;
constexpr REGSAM kView = RegistrySettingsStore::kKeyView;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) throw std::runtime_error(std::string("environment variable missing: ") + name);
    return value;
}

TempFolder::TempFolder(const std::string& name) {
    MakeFolders("C:\\lurktest");
    path_ = "C:\\lurktest\\" + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveTree(path_);
    MakeFolders(path_);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((base + "\\*").c_str(), &data));
    if (find.Valid()) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = base + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find.Get(), &data));
    }
    find.Reset();
    RemoveDirectoryA(base.c_str());
}

void MakeFolders(const std::string& folder) {
    for (std::size_t i = 3; i <= folder.size(); ++i) {
        if (i == folder.size() || folder[i] == '\\') CreateDirectoryA(folder.substr(0, i).c_str(), nullptr);
    }
}

bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int CountFiles(const std::string& pattern) {
    int count = 0;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA(pattern.c_str(), &data));
    if (!find.Valid()) return 0;
    do {
        ++count;
    } while (FindNextFileA(find.Get(), &data));
    return count;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void DeleteSettingsKey() {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, kView, 0);
}

void CreateSettingsKey(const std::map<std::string, std::string>& values) {
    DeleteSettingsKey();
    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr, key.Receive(),
                              nullptr),
              ERROR_SUCCESS);
    for (const auto& [name, value] : values) {
        RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }
}

std::string ReadSettingsValue(const std::string& name) {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ | kView, key.Receive()) != ERROR_SUCCESS) {
        return "<missing>";
    }
    char data[4096];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS) {
        return "<missing>";
    }
    return std::string(data);
}

void WriteSettingsDword(const std::string& name, DWORD value) {
    ScopedRegKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_SET_VALUE | kView, key.Receive()), ERROR_SUCCESS);
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

namespace {

// The tests' own build of the program where the test asks for it (see tests/CMakeLists.txt).
std::string CopyFromProgramBuild(const std::string& name, const std::string& folder) {
    const char* programDir = std::getenv("LURK_PROGRAM_DIR");
    const std::string source = (programDir && *programDir ? std::string(programDir) : Env("LURK_BIN_DIR")) + "\\" + name;
    const std::string target = folder + name;
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) throw std::runtime_error("cannot copy " + source);
    return target;
}

}  // namespace

std::string InstallProgram(const std::string& folder) { return CopyFromProgramBuild("QWK_Lurkmark.exe", folder); }

void InstallFrameRecorder(const std::string& folder) { CopyFromProgramBuild("QWK_FrameRecorder.dll", folder); }

RunningProgram::RunningProgram(const std::string& commandLine, const std::string& folder, bool hidden) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (hidden) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_HIDE;
    }
    PROCESS_INFORMATION pi{};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        throw std::runtime_error("cannot start " + commandLine + " (error " + std::to_string(GetLastError()) + ")");
    }
    process_.Reset(pi.hProcess);
    CloseHandle(pi.hThread);
    processId_ = pi.dwProcessId;
}

RunningProgram::~RunningProgram() {
    if (WaitForSingleObject(process_.Get(), 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

bool RunningProgram::WaitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

ProcessResult RunAndWait(const std::string& commandLine, const std::string& folder, DWORD timeoutMs,
                         bool hidden) {
    ProcessResult result;
    RunningProgram program(commandLine, folder, hidden);
    const DWORD start = GetTickCount();
    // A process still running at the time-out is terminated when `program` goes.
    result.ended = program.WaitForExit(timeoutMs);
    if (result.ended) result.exitCode = program.ExitCode();
    result.elapsedMs = GetTickCount() - start;
    return result;
}

}  // namespace wt
