#include "app/debug_log.h"

#include "platform/text_file.h"

void DebugLog::Save(const std::string& benchDir) const {
    WriteLinesCrLf(benchDir + kFileName, lines_);
}
