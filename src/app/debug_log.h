#pragma once
#include <string>
#include <vector>

#include "domain/app_paths.h"

// The trace of the last pass, saved whole to "debug.txt" beside the program.
class DebugLog {
public:
    static constexpr const char* kFileName = "debug.txt";

    void Clear() { lines_.clear(); }
    void Add(const std::string& line) { lines_.push_back(line); }
    // Replaces BenchDir + "debug.txt"; a write failure is thrown to the caller.
    void Save(const std::string& benchDir) const;

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// Clears the log and writes the head of a pass: the program's version and its folders.
void StartPassLog(DebugLog& log, const std::string& programVersion, const AppPaths& paths);
