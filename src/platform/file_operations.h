#pragma once
#include <string>
#include <vector>

// The file changes of the game side: single-file copies and moves (on Windows through the
// shell's file operation) and whole-file writes. Paths are code page 1252.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // Copies one file into an existing folder, or, when the target is no folder, to that
    // file name (replacing such a file). False when the operation failed.
    virtual bool Copy(const std::string& sourceFile, const std::string& targetFolder) = 0;
    // Moves (renames) one file to the full target path. False when the operation failed.
    virtual bool Move(const std::string& sourceFile, const std::string& targetFile) = 0;
    // Replaces the file with the lines, each followed by CR LF; throws when it cannot write.
    virtual void WriteLines(const std::string& path, const std::vector<std::string>& lines) = 0;
};
