#pragma once
#include <string>

#include "platform/file_system.h"

// One run's score, read from the game's console log.
struct ScoreResult {
    bool logFound = false;     // "qconsole.log" existed in the game's configuration folder
    bool markerFound = false;  // its text held "seconds =": a timedemo reported a result
    std::string scoreText;     // the figure as the game printed it, 0 to 7 characters
    bool hasLetter = false;    // scoreText holds an ASCII letter
};

namespace ConsoleLogParser {

constexpr const char* kLogFileName = "qconsole.log";

// Reads cfgPath + "qconsole.log" once. An absent log (or no game folder) gives logFound
// false. A log that exists but cannot be read, or that holds no "seconds =", gives
// logFound true and markerFound false with an empty text: the game ran but reported no
// score. The log is neither changed nor deleted.
ScoreResult readScore(FileSystem& files, const std::string& cfgPath);

// Every line ended by CR LF, whether the file ended its lines by CR LF, CR or LF.
std::string normaliseLineEnds(const std::string& text);

// The seven characters after the first "seconds =" (any case), without blanks, "=", ":"
// and the letters f, p, s. Empty when the marker is missing or ends the text.
std::string extractScore(const std::string& text);
bool hasScoreMarker(const std::string& text);

// True when the text holds any of the ASCII letters a to z in either case.
bool containsLetter(const std::string& text);

}  // namespace ConsoleLogParser
