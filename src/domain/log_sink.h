#pragma once
#include <string>

#include "domain/app_paths.h"

// Where the subsystems write their trace of a pass. The program's debug log (app) is the one
// sink; the lower floors see only this.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void Clear() = 0;
    virtual void Add(const std::string& line) = 0;
    // Replaces the log file in benchDir with every line so far; a write failure is thrown.
    virtual void Save(const std::string& benchDir) const = 0;
};

// Clears the log and writes the head of a pass: the program's version and its folders.
void StartPassLog(LogSink& log, const std::string& programVersion, const AppPaths& paths);
