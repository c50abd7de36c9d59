#pragma once
#include <string>
#include <vector>

#include "domain/log_sink.h"

// The trace of the last pass, saved whole to "debug.txt" beside the program.
class DebugLog : public LogSink {
public:
    static constexpr const char* kFileName = "debug.txt";

    void Clear() override { lines_.clear(); }
    void Add(const std::string& line) override { lines_.push_back(line); }
    // Replaces BenchDir + "debug.txt"; a write failure is thrown to the caller.
    void Save(const std::string& benchDir) const override;

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};
