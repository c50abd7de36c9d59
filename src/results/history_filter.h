#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "results/pass_history.h"

// The filter box of the results list: a pass stays when every word typed (blanks separate
// them) is found in its computer name, note or demo, without regard to case. A file that
// cannot be shown is found by its file name.

// Each entry's searched text, folded once so that every key typed does not fold it again.
std::vector<std::string> HistorySearchTexts(const std::vector<HistoryEntry>& entries);

// The positions in table.rows of the rows that match, in the table's order; every row for an
// empty or blank filter. filter: code page 1252, as the box holds it.
std::vector<std::size_t> MatchingRows(const HistoryTable& table, const std::vector<std::string>& searchTexts,
                                      const std::string& filter);

// Code page 1252 text with its letters, accented ones too, in lower case.
std::string FoldCase(std::string text);
