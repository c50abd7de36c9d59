#pragma once
#include <string>
#include <vector>

#include "results/pass_history.h"

// Every result_*.json file of the folder, read and checked, in the order the folder lists
// them. A missing folder gives no entries; a file that cannot be opened gives an entry with
// that reason. Data files are never written. What was read is kept in the folder's index
// file (history_index.h), so that the next call reads only the files that are new or
// changed; a folder the user may not write to is read whole every time.
std::vector<HistoryEntry> ReadHistoryFolder(const std::string& folder);
