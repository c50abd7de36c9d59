#pragma once
#include <cstddef>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/text_file.h"

// What a file appended to under a lock holds at the moment the lock is taken.
struct AppendedFileState {
    bool empty = true;
    std::string firstLine;           // without its line break
    bool endsWithLineBreak = false;  // false for an empty file
};

// Thrown by AppendUnderLock when the bytes were appended whole but the system could not
// confirm that they reached the disk: every reader of the file sees them, so they are saved;
// the text says what could not be confirmed.
struct AppendNotConfirmed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The file-system questions and actions the portable core needs; the Win32 shell answers
// them for real and the unit tests with an in-memory fake. Paths are code page 1252.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FolderExists(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Creates one folder level; its parent must exist. False on failure.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Deletes the file when it exists; false only when it exists and cannot be deleted.
    virtual bool DeleteFileIfExists(const std::string& path) = 0;
    // False when the file cannot be opened.
    virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
    // The whole file unless it holds more than maxBytes, for a file whose size is not ours to
    // trust; false when it cannot be opened or read, or is larger.
    virtual bool ReadFileUpTo(const std::string& path, std::size_t maxBytes, std::string& bytes) {
        return ::ReadFileUpTo(path, maxBytes, bytes) == BoundedRead::Read;
    }
    // Writes the bytes under a temporary name beside the file, then puts that in the file's
    // place, so a failure (a full disk, a file held open elsewhere) leaves the old file whole.
    // Throws std::runtime_error naming the file.
    virtual void WriteFileReplacing(const std::string& path, const std::string& bytes) {
        const std::string temporary = path + ".tmp";
        WriteWholeFile(temporary, bytes);
        if (std::rename(temporary.c_str(), path.c_str()) != 0) {
            std::remove(temporary.c_str());
            throw std::runtime_error("Cannot replace file " + path);
        }
    }
    // Creates the file empty when nothing of that name exists, in one step that another
    // process (on this PC or another) cannot come between; false when the name is taken.
    // Throws std::runtime_error naming the file when it cannot be made for another reason.
    virtual bool CreateNewFile(const std::string& path) = 0;
    // Opens the file for appending (making it when missing), takes an exclusive lock on it,
    // waiting up to waitMs for a writer that holds it, and appends in one write what compose
    // makes of the file as it is then; nothing already in the file is rewritten. False when
    // the lock could not be had in time; throws AppendNotConfirmed when only the final flush
    // failed, and std::runtime_error naming the file on any other failure.
    virtual bool AppendUnderLock(const std::string& path, unsigned waitMs,
                                 const std::function<std::string(const AppendedFileState&)>& compose) = 0;
};

// Deletes the file when it exists; a file that stays behind is an error naming it.
inline void DeleteFileOrThrow(FileSystem& files, const std::string& path) {
    if (!files.DeleteFileIfExists(path)) throw std::runtime_error("Cannot delete file " + path);
}
