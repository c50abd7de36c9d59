#include "domain/game_time_limit.h"

#include "platform/ascii_case.h"

namespace {

constexpr const char* kLimitWord = "LIMIT";

}  // namespace

std::optional<int> ParseGameTimeLimit(const std::string& text) {
    // Nine digits at most: enough for any value in range, and no overflow on the way.
    if (text.empty() || text.size() > 9) return std::nullopt;
    int seconds = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        seconds = seconds * 10 + (c - '0');
    }
    if (seconds > kMaxGameTimeLimitSeconds) return std::nullopt;
    return seconds;
}

int StoredGameTimeLimit(const std::string& stored) {
    return ParseGameTimeLimit(stored).value_or(kDefaultGameTimeLimitSeconds);
}

std::optional<int> ReadTimeLimitSwitch(const ArgumentList& args) {
    const std::string prefix = std::string("/") + kLimitWord;
    std::optional<int> limit;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string arg = AsciiUpper(args[i]);
        if (arg.compare(0, prefix.size(), prefix) != 0) continue;
        if (const std::optional<int> seconds = ParseGameTimeLimit(arg.substr(prefix.size()))) limit = seconds;
    }
    return limit;
}

std::string TimeLimitToken(int seconds) {
    if (seconds == kDefaultGameTimeLimitSeconds) return "";
    return kLimitWord + std::to_string(seconds);
}

int TimeLimitOfToken(const std::string& token) {
    const std::string word = kLimitWord;
    if (token.compare(0, word.size(), word) != 0) return kDefaultGameTimeLimitSeconds;
    return ParseGameTimeLimit(token.substr(word.size())).value_or(kDefaultGameTimeLimitSeconds);
}

int TimeLimitMinutesShown(int seconds) { return (seconds + 59) / 60; }

std::string TimeLimitText(int seconds) {
    if (seconds % 60 == 0) {
        const int minutes = seconds / 60;
        return std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
    }
    return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

std::string TimeLimitEndedText(int seconds) {
    return "The game did not finish within the time limit of " + TimeLimitText(seconds) + " and was ended.";
}
