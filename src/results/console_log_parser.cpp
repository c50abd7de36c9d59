#include "results/console_log_parser.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

namespace ConsoleLogParser {

namespace {

const char kMarker[] = "seconds =";
constexpr std::size_t kMarkerLength = sizeof kMarker - 1;
constexpr std::size_t kTakenCharacters = 7;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t FindMarker(const std::string& text) {
    const auto at = std::search(text.begin(), text.end(), kMarker, kMarker + kMarkerLength,
                                [](char a, char b) { return AsciiLower(a) == b; });
    return at == text.end() ? std::string::npos : static_cast<std::size_t>(at - text.begin());
}

bool IsCleanedAway(char c) {
    const char lower = AsciiLower(c);
    return c == ' ' || c == '=' || c == ':' || lower == 'f' || lower == 'p' || lower == 's';
}

}  // namespace

std::string normaliseLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        out.append(text, lineStart, i - lineStart);
        out += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lineStart = i + 1;
    }
    // The last line gets its line end too; a text that ends with one has no further line.
    if (lineStart < text.size()) {
        out.append(text, lineStart, std::string::npos);
        out += "\r\n";
    }
    return out;
}

bool hasScoreMarker(const std::string& text) { return FindMarker(text) != std::string::npos; }

std::string extractScore(const std::string& text) {
    const std::size_t at = FindMarker(text);
    if (at == std::string::npos) return "";
    const std::string taken = text.substr(at + kMarkerLength, kTakenCharacters);
    std::string score;
    std::copy_if(taken.begin(), taken.end(), std::back_inserter(score), [](char c) { return !IsCleanedAway(c); });
    return score;
}

bool containsLetter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const char lower = AsciiLower(c);
        return lower >= 'a' && lower <= 'z';
    });
}

ScoreResult readScore(FileSystem& files, const std::string& cfgPath) {
    ScoreResult result;
    // Without a game folder there is no log to look for (and no relative path to guess).
    if (cfgPath.empty()) return result;
    const std::string path = cfgPath + kLogFileName;
    if (!files.FileExists(path)) return result;
    result.logFound = true;
    std::string bytes;
    try {
        if (!files.ReadFile(path, bytes)) return result;
    } catch (const std::bad_alloc&) {
        // Too large to hold: like a log that cannot be read, one without a score.
        return result;
    }
    // The marker holds no line end, so its first place in the text with normalised line ends
    // is its first place here; only the characters taken after it need normalising. A huge
    // log is thus searched in place instead of copied whole.
    const std::size_t at = FindMarker(bytes);
    if (at == std::string::npos) return result;
    result.markerFound = true;
    result.scoreText = extractScore(normaliseLineEnds(bytes.substr(at, kMarkerLength + kTakenCharacters)));
    result.hasLetter = containsLetter(result.scoreText);
    return result;
}

}  // namespace ConsoleLogParser
