#include "platform/win_file_system_win.h"

#include <windows.h>

#include <stdexcept>

#include "platform/modal_loop_win.h"
#include "platform/os_error_win.h"
#include "platform/scoped_win.h"
#include "platform/text_file.h"

bool WinFileSystem::FolderExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::FileExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::CreateFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool WinFileSystem::DeleteFileIfExists(const std::string& path) {
    if (!FileExists(path)) return true;
    return DeleteFileA(path.c_str()) != 0;
}

bool WinFileSystem::ReadFile(const std::string& path, std::string& bytes) {
    return ReadWholeFile(path, bytes);
}

void WinFileSystem::WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp";
    WriteWholeFile(temporary, bytes);
    // One step that either puts the whole new file in place or leaves the old one as it was
    // (a spreadsheet holding the file open refuses it).
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
    const DWORD error = GetLastError();
    DeleteFileA(temporary.c_str());
    throw std::runtime_error("Cannot replace file " + path + ". " + OsErrorFromCode(error).what());
}

namespace {

std::runtime_error FileError(const char* what, const std::string& path, DWORD code) {
    return std::runtime_error(std::string(what) + path + ". " + OsErrorFromCode(code).what());
}

// Another writer holds the file: its lock, or an open without sharing (a spreadsheet).
bool HeldElsewhere(DWORD code) { return code == ERROR_LOCK_VIOLATION || code == ERROR_SHARING_VIOLATION; }

constexpr DWORD kRetryMs = 100;

void ReadAt(HANDLE file, const std::string& path, LONGLONG offset, std::string& bytes) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, &at)) {
        throw FileError("Cannot read file ", path, GetLastError());
    }
    bytes.resize(read);
}

AppendedFileState StateOf(HANDLE file, const std::string& path) {
    AppendedFileState state;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) throw FileError("Cannot read file ", path, GetLastError());
    if (size.QuadPart == 0) return state;
    state.empty = false;
    // A header row is far shorter than this; a longer first line is no header of ours.
    std::string head(4096, '\0');
    ReadAt(file, path, 0, head);
    state.firstLine = head.substr(0, head.find("\r\n"));
    std::string tail(2, '\0');
    ReadAt(file, path, size.QuadPart >= 2 ? size.QuadPart - 2 : 0, tail);
    state.endsWithLineBreak = tail == "\r\n";
    return state;
}

}  // namespace

bool WinFileSystem::CreateNewFile(const std::string& path) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return false;
    // A folder of that name, or a file being deleted: the name is taken all the same.
    if (error == ERROR_ACCESS_DENIED && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    throw FileError("Cannot create file ", path, error);
}

bool WinFileSystem::AppendUnderLock(const std::string& path, unsigned waitMs,
                                    const std::function<std::string(const AppendedFileState&)>& compose) {
    const DWORD start = GetTickCount();
    const auto waited = [start] { return GetTickCount() - start; };
    ScopedFile file;
    // Another PC may hold the table for many seconds: the waiting thread's windows go on
    // painting and answering (Cancel, the close, the end of the session) meanwhile.
    bool pumping = true;
    for (;;) {
        file.Reset(CreateFileA(path.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            OVERLAPPED whole{};
            if (LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                           &whole)) {
                break;
            }
        }
        const DWORD error = GetLastError();
        if (!HeldElsewhere(error)) throw FileError(file ? "Cannot lock file " : "Cannot open file ", path, error);
        file.Reset();
        if (waited() >= waitMs) return false;
        if (pumping) {
            pumping = PumpMessagesFor(kRetryMs);
        } else {
            Sleep(kRetryMs);
        }
    }
    // Unlocked before the handle closes: a lock left to the close is released "later" on
    // some systems, holding the next writer up for nothing.
    struct Unlock {
        HANDLE file;
        ~Unlock() {
            OVERLAPPED whole{};
            UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
        }
    } unlock{file.Get()};
    const std::string bytes = compose(StateOf(file.Get(), path));
    DWORD written = 0;
    // One write at the end of the file: with FILE_APPEND_DATA alone every write appends.
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        throw FileError("Cannot write file ", path, GetLastError());
    }
    if (!FlushFileBuffers(file.Get())) {
        throw AppendNotConfirmed(FileError("Cannot flush file ", path, GetLastError()).what());
    }
    return true;
}
