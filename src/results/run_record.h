#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What one pass measured, run by run: the source of the report's statistics and checks and
// of the data files beside the report.

// A check that speaks against a run's score. code: "windowSize", "shortDemo",
// "inconsistentLog", "refreshCap" or "busyMachine" (a run's), "onBattery", "powerSaver" or
// "planNotSwitched" (the whole pass's); text: the sentence the report prints in red.
struct RunFlag {
    std::string code;
    std::string text;
};

enum class RunEnd { Scored, NoScore, TimeLimit };

// What the game's console log says about one run beside its score.
struct RunEvidence {
    std::optional<std::pair<int, int>> window;  // "created window @ X,Y (WxH)": W and H
    std::optional<long> frames;                 // "N frames rendered in S seconds = F fps"
    std::string secondsText;                    // S as printed, when the line was found
    std::string fpsText;                        // F as printed, when the line was found
};

// What the frame recorder's capture of a run gives (or a resolution's runs pooled).
struct FrameTimeFigures {
    long frames = 0;             // frame times counted
    double averageFps = 0;       // 1000 / mean frame time
    double p99Ms = 0;            // 99th percentile frame time (nearest rank)
    double p999Ms = 0;           // 99.9th percentile frame time (nearest rank)
    double low1Fps = 0;          // "1 % low": 1000 / p99Ms
    double low01Fps = 0;         // "0.1 % low": 1000 / p999Ms
    double worstMs = 0;          // the longest frame
    long stutters = 0;           // frames longer than 2.5 x the median frame time
    double stddevMs = 0;         // standard deviation of the frame times
};

struct RunRecord {
    int run = 1;          // 0 the warm-up run, then 1, 2, ...
    bool warmUp = false;
    bool logFound = false;
    RunEnd ended = RunEnd::NoScore;
    std::string scoreText;          // as the game printed it (empty without a result line)
    std::optional<double> score;    // set exactly when ended is Scored
    RunEvidence evidence;
    std::vector<RunFlag> flags;
    // With the option "Record every frame's time": the run's figures, and the name of its
    // capture CSV beside the report; both empty when no frame times arrived.
    std::optional<FrameTimeFigures> frameTimes;
    std::string frameTimesFile;
};

struct ResolutionRecord {
    std::string key;    // ResolutionTable key
    std::string label;  // the report's label, such as "640×480" (code page 1252)
    int width = 0;
    int height = 0;
    std::optional<int> refreshRate;  // Hz of the display mode the game ran in, when known
    std::vector<RunRecord> runs;
    // With the option on: the figures of all counted runs' frames together.
    std::optional<FrameTimeFigures> frameTimes;
};

// The pass's choices as the window names them; empty where the pass has no choice.
struct PassOptionTexts {
    std::string demo, aspect, shader, antialiasing, filtering, boost;
    int runs = 1;
    bool warmUp = false;
    std::optional<int> timeLimitSeconds;  // none: no limit
    bool frameTimes = false;  // "Record every frame's time"
};

struct PassRecord {
    std::string program;  // the program's version, such as "1.0"
    std::string started;  // ISO 8601 local time with its UTC offset
    std::string report;   // the report's file name, without folder
    std::string note;
    std::string computerName;  // the PC that ran the pass; empty in files that do not name it
    std::string machineId;  // a stable identifier of that PC; empty where unknown
    std::vector<std::pair<std::string, std::string>> machine;  // label without colon, value
    PassOptionTexts options;
    std::vector<ResolutionRecord> resolutions;
    std::optional<bool> onBattery;  // at any game start; none when the system did not know
    std::string powerPlan;          // the active power plan's name, when known
    std::vector<RunFlag> flags;     // findings about the whole pass
};
