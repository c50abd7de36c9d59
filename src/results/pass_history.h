#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/pass_summary.h"

// The passes of a results folder as the Results page lists them.

// One data file: its pass, or why it cannot be shown.
struct HistoryEntry {
    std::string fileName;  // code page 1252, as the folder lists it
    std::optional<PassSummary> pass;
    std::string problem;
};

HistoryEntry ReadHistoryEntry(const std::string& fileName, const std::string& jsonText);

// The file names the page reads: result_*.json, any case.
bool IsResultDataFileName(const std::string& fileName);

// What a column shows. Score and 1 % low columns are one per resolution, told apart by their key.
enum class HistoryField { Flag, Started, Computer, Note, Demo, Shader, Runs, Score, Low1 };

struct HistoryColumn {
    std::string title;
    bool numeric;
    HistoryField field;
    std::string key;  // the resolution key of a score or 1 % low column
};

// The page in the main window leaves the computer out; the window of its own shows it
// beside the date.
enum class HistoryView { Page, Window };

// Cells are code page 1252 texts for the list view. A row refers to its entry by index.
struct HistoryRow {
    std::size_t entry;
    std::vector<std::string> cells;
    bool greyed;          // a file that could not be read
    std::string tooltip;  // its reason, or the flags of a flagged pass
};

struct HistoryTable {
    std::vector<HistoryColumn> columns;
    std::vector<HistoryRow> rows;
    char decimalSeparator = '.';
};

// Columns: the flag mark, date and time, (in the window: computer,) note, demo, shader detail,
// runs, then one mean score per resolution found, each followed by its pooled "1 % low" frame
// rate where some pass recorded frame times at that resolution. Rows newest first; files that could not be
// read come last, their name in the date column and their reason in the note column.
HistoryTable BuildHistoryTable(const std::vector<HistoryEntry>& entries, char decimalSeparator,
                               HistoryView view = HistoryView::Page);

// The first column showing the field; the column count when none does.
std::size_t ColumnOf(const HistoryTable& table, HistoryField field);

// Orders the rows by one column: dates by their moment, numbers by value, texts without
// regard to case. Rows without a value in that column, and unreadable files, stay last.
void SortHistoryRows(HistoryTable& table, const std::vector<HistoryEntry>& entries, std::size_t column,
                     bool ascending);
