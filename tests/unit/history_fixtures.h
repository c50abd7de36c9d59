#pragma once
// Passes for the history and comparison tests: the fixture files, and small passes built
// from a few numbers.
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "results/pass_summary.h"
#include "results/result_file_reader.h"

namespace history_fixtures {

inline std::string FixtureText(const std::string& name) {
    std::ifstream in(std::string(LURK_FIXTURES_DIR) + "/history/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline PassSummary FixturePass(const std::string& name) {
    ResultFileReading reading = ReadResultFile(FixtureText(name));
    if (!reading.pass) throw std::runtime_error(name + ": " + reading.problem);
    return *reading.pass;
}

struct Score {
    std::string key;  // "640", "1024", ...
    std::optional<double> mean;
    std::optional<double> stddev;
};

inline PassSummary MakePass(const std::string& started, const std::string& note, const std::vector<Score>& scores) {
    PassSummary pass;
    pass.program = "1.0";
    pass.started = started;
    pass.startedUtcSeconds = UtcSecondsOf(started).value();
    pass.report = "result.htm";
    pass.note = note;
    pass.demo = "Rivo3V demo";
    pass.shader = "High level";
    pass.runs = 1;
    for (const Score& s : scores) {
        ResolutionSummary r;
        r.key = s.key;
        r.width = std::stoi(s.key);
        r.height = r.width * 3 / 4;
        r.label = s.key + "\xC3\x97" + std::to_string(r.height);
        r.mean = s.mean;
        r.stddev = s.stddev;
        pass.resolutions.push_back(r);
    }
    return pass;
}

}  // namespace history_fixtures
