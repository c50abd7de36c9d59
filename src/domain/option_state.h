#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "domain/game_time_limit.h"
#include "domain/resolution_table.h"

// The option selections the window's pages show and edit. A fresh installation has no
// choice anywhere; kNoChoice marks a radio group or list without a selected item.
constexpr int kNoChoice = -1;

// The most characters the note field, and any other text field (its default limit), takes.
constexpr std::size_t kNoteMaxLength = 50;
constexpr std::size_t kTextFieldMaxLength = 32767;

struct ResolutionItem {
    bool checked = false;
    bool enabled = true;
};

struct OptionState {
    std::string gameFolder;   // PreyPathEdit
    std::string resultFolder; // ResEdit
    std::string versionLabel = "v1.0";

    std::array<ResolutionItem, kResolutionCount> resolutions{};
    bool customOn = false;
    bool customFieldsEnabled = false;  // CusWidth, CusHeight and CusPossibilities
    std::string customWidth;
    std::string customHeight;

    int aspect = kNoChoice;  // 0 4:3, 1 16:9, 2 16:10
    int demo = kNoChoice;    // 0 first shipped demo, 1 second, 2 user-defined
    bool demoFileEnabled = false;  // DemoEdit and DemoEditButton
    std::string demoFile;
    int shader = kNoChoice;  // 0 Low ... 3 Highest

    int af = kNoChoice;  // None, 2x, 4x, 8x, 16x, From System
    int aa = kNoChoice;  // None, 2x, 4x, From System
    std::string note;
    bool boost = false;

    bool useProxy = false;
    bool proxyFieldsEnabled = false;
    std::string proxyServer;
    std::string proxyPort;
    std::string proxyUsername;
    std::string proxyPassword;  // plain text; stored encoded

    int gameTimeLimitSeconds = kDefaultGameTimeLimitSeconds;  // GameTimeLimit; 0: no limit
    int repeats = 1;      // runs per resolution, 1 to 9
    bool warmUp = false;  // one more first run per resolution, shown but not counted
    bool batchQuiet = false;  // BatchQuiet: the batch list's lines run unattended (/QUIET)
    bool highPerformancePlan = false;  // the High performance power plan during a pass
    bool frameTimes = false;  // FrameTimes: the game's every frame time recorded
};

constexpr int kMaxRepeats = 9;
