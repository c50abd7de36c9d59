#pragma once
#include <string>
#include <vector>

#include "results/pass_history.h"

// Every result_*.json file of the folder, read and checked, in the order the folder lists
// them. A missing folder gives no entries; a file that cannot be opened gives an entry with
// that reason. Nothing is written.
std::vector<HistoryEntry> ReadHistoryFolder(const std::string& folder);
