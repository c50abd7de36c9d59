#pragma once
#include <optional>
#include <string>

#include "domain/switches.h"

// The longest a single game run may take before its process tree is ended: the registry value
// GameTimeLimit (whole seconds, decimal), shown in minutes on the Demos & Quality page, and the
// batch switch /LIMIT<seconds>. 0 means no limit.
constexpr int kDefaultGameTimeLimitSeconds = 1800;
// The page's number box goes up to a day; a stored value beyond it counts as unreadable.
constexpr int kMaxGameTimeLimitMinutes = 1440;
constexpr int kMaxGameTimeLimitSeconds = kMaxGameTimeLimitMinutes * 60;
constexpr const char* kGameTimeLimitValue = "GameTimeLimit";

// Whole seconds from decimal digits alone, within 0 .. kMaxGameTimeLimitSeconds; none otherwise.
std::optional<int> ParseGameTimeLimit(const std::string& text);
// The stored value; missing or unreadable gives the default.
int StoredGameTimeLimit(const std::string& stored);

// The last /LIMIT<seconds> argument with a readable number; none when there is none.
std::optional<int> ReadTimeLimitSwitch(const ArgumentList& args);
// BenchOptions::timeLimit: "LIMIT<seconds>" when not the default, else empty.
std::string TimeLimitToken(int seconds);
// The limit of a pass from its token (empty: the default).
int TimeLimitOfToken(const std::string& token);

// The number box shows minutes: a limit that is not whole minutes shows the next minute up, so
// a short limit never reads as "no limit".
int TimeLimitMinutesShown(int seconds);

// "10 minutes", "1 minute", "45 seconds": the limit as the report and the debug log name it.
std::string TimeLimitText(int seconds);
// The line the report section and the debug log get for a run ended by the limit.
std::string TimeLimitEndedText(int seconds);
