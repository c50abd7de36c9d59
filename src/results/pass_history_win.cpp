#include "results/pass_history_win.h"

#include "platform/folder_listing_win.h"
#include "platform/text_file.h"

std::vector<HistoryEntry> ReadHistoryFolder(const std::string& folder) {
    std::vector<HistoryEntry> entries;
    if (folder.empty()) return entries;
    const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
    for (const std::string& name : FileNamesIn(prefix, "result_*.json")) {
        // The wildcard also matches names such as result_1.jsonx through their short names.
        if (!IsResultDataFileName(name)) continue;
        std::string text;
        if (!ReadWholeFile(prefix + name, text)) {
            entries.push_back({name, std::nullopt, "the file cannot be read"});
            continue;
        }
        entries.push_back(ReadHistoryEntry(name, text));
    }
    return entries;
}
