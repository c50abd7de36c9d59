#pragma once
#include <string>

// The selections of the pass about to run, as switch tokens without the slash.
// An empty field means the pass has no choice for that group.
struct BenchOptions {
    std::string resolution;  // "640" ... "HDW3": set in a batch pass only
    std::string demo;        // "DEMO1", "DEMO2"
    std::string aspect;      // "AR43", "AR169", "AR1610"
    std::string shader;      // "SLOW", "SMED", "SHIGH", "SHIGHEST"
    std::string aa;          // "AANONE", "AA2", "AA4", "AASYS"
    std::string af;          // "AFNONE", "AF2", "AF4", "AF8", "AF16", "AFSYS"
    std::string boost;       // "BOOST" or empty
    std::string timeLimit;   // "LIMIT<seconds>", empty for the default limit
    std::string runs;        // "RUNS1" ... "RUNS9", or empty: one run per resolution
    std::string warmUp;      // "WARMUP" or empty
    std::string highPerf;    // "HIGHPERF" (the High performance power plan during the pass) or empty
    std::string frames;      // "FRAMES" (every frame's time recorded) or empty

    bool operator==(const BenchOptions& o) const {
        return resolution == o.resolution && demo == o.demo && aspect == o.aspect && shader == o.shader &&
               aa == o.aa && af == o.af && boost == o.boost && timeLimit == o.timeLimit && runs == o.runs &&
               warmUp == o.warmUp && highPerf == o.highPerf && frames == o.frames;
    }
};

// The runs each resolution counts (without the warm-up): the digit of "RUNS<n>", else 1.
inline int RunsPerResolution(const BenchOptions& options) {
    const std::string& t = options.runs;
    return t.size() == 5 && t.compare(0, 4, "RUNS") == 0 && t[4] >= '1' && t[4] <= '9' ? t[4] - '0' : 1;
}
