#pragma once
// Console logs far larger than a timedemo writes, for the reader's robustness tests and its
// benchmark.
#include <string>

namespace wt {

// The timedemo's result line as the game prints it.
extern const char* const kConsoleResultLine;

// Writes `megabytes` MB of console lines ended by LF alone, as a game that grew a huge log
// would leave them, written block by block so that the writer itself stays small. With
// `withScore` the result line stands in the last kilobyte, followed by the game's last lines.
void WriteLargeConsoleLog(const std::string& path, int megabytes, bool withScore);

}  // namespace wt
