#pragma once
// The files of a benchmark pass as the program must write them, line by line, for tests that
// compare them byte for byte. Everything is spelled out here independently of the program's
// own line builders; only what the machine or the moment decides comes from outside: the
// machine's facts (read here afresh) and the start time and processor clock that the report
// itself names.
#include <string>
#include <vector>

#include "domain/app_paths.h"

namespace wt {

using Lines = std::vector<std::string>;

// Every line followed by CR LF, as the program writes its files.
std::string Joined(const Lines& lines);
void Append(Lines& to, const Lines& more);

enum class PassMode { Interactive, Batch };

// What the report names: the start time (head line 21) and the processor clock in MHz.
std::string StartTimeNamedIn(const std::string& report);
std::string CpuSpeedNamedIn(const std::string& report);
// The start time made safe for a file name.
std::string StampOf(const std::string& startTime);

// The machine as the report must describe it; `cpuSpeed` as the report names it.
struct MachineFacts {
    std::string os;
    std::string memory;  // the memory text, e.g. "2.0 GB "
    std::string cpu;
    std::string cpuSpeed;
    std::string sound;
};
MachineFacts ThisMachine(const std::string& cpuSpeed, const std::string& sound);

// The report's head, system lines (no display adapter is recognised under Wine), the comment
// when there is one and the separator.
Lines ReportStart(PassMode mode, const std::string& startTime, const MachineFacts& machine,
                  const std::string& comment);
// One result section; `label` as in the heading ("640×480"), empty for none; `score` empty
// gives the no-score line.
struct PassCaptions {
    std::string demo;
    std::string shader;
    std::string aspect;
    std::string antialiasing;
    std::string filtering;
    std::string boost;
};
Lines ReportSection(PassMode mode, const std::string& label, const PassCaptions& captions, const std::string& score);
Lines ReportClosing(PassMode mode);

// The stand-in game's frame rate as tools/prey/README.md defines it, printed as "%3.1f".
constexpr double kDemo1Speed = 231.5;   // data/Demos/rivo3v-6.demo
constexpr double kDemo2Speed = 187.25;  // data/Demos/rivo3v-5.demo
struct Quality {
    int shaderLevel = 0;
    int multiSamples = 0;
    int anisotropy = 0;
    bool boost = false;
    bool wide = false;  // an aspect ratio other than 4:3
};
std::string StandInScore(double speed, int width, int height, const Quality& quality);

// Debug log rows 1 to 11.
Lines DebugHead(const std::string& version, const AppPaths& paths);
// Debug rows 21 to 27 of an interactive pass.
Lines DebugMachine(const std::string& startTime, const MachineFacts& machine);
// The start lines of one run: the progress caption, e.g. "Resolution: 640 × 480...".
Lines DebugRunStart(const std::string& caption);

}  // namespace wt
