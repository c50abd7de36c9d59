#pragma once
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "results/pass_history.h"

// The list of passes of the results folder, newest first, sorted by a click on a column;
// Enter or a double click opens a pass's report, "Compare" writes and opens the comparison
// page of 2 to 8 selected passes. The Results page shows it, and so does the results window
// with a computer column, a filter and "Open report". Files are only read.
class ResultsPage {
public:
    static constexpr std::size_t kMostCompared = 8;

    struct Controls {
        HWND owner;               // owner of messages and of what the shell opens
        HWND label;               // what the list shows
        HWND list;                // a list view in report style with LVS_OWNERDATA
        HWND compare;             // "Compare"
        HWND openReport = nullptr;  // "Open report", where there is one
    };
    void Attach(const Controls& controls, HistoryView view = HistoryView::Page);

    // Reads the folder afresh and fills the list.
    void Reload(const std::string& resultFolder);
    // Shows only the passes whose computer, note or demo hold every word of the text.
    void SetFilter(const std::string& text);
    void CompareClick();
    // Opens the report of the selected pass.
    void OpenReportClick();
    // The list's notifications; true when handled, with the answer in `result`.
    bool OnNotify(const NMHDR& header, LRESULT& result);

    // Column widths by column name (results_window_layout.h), in design pixels: those given
    // here, updated with the widths the list shows now.
    std::map<std::string, int> ColumnWidths() const;
    void SetColumnWidths(const std::map<std::string, int>& widths);
    int ShownCount() const { return static_cast<int>(shown_.size()); }

private:
    static LRESULT CALLBACK ListProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void Fill();
    std::vector<int> FittedWidths() const;
    void ShowCount();
    void SortBy(int column);
    void OpenReport(int item);
    void UpdateButtons();
    std::vector<int> SelectedItems() const;
    const HistoryRow& RowAt(int item) const { return table_.rows[shown_[static_cast<std::size_t>(item)]]; }
    bool HasItem(int item) const { return item >= 0 && static_cast<std::size_t>(item) < shown_.size(); }

    Controls controls_{};
    HistoryView view_ = HistoryView::Page;
    std::string folder_;
    std::vector<HistoryEntry> entries_;
    std::vector<std::string> searchTexts_;
    HistoryTable table_;
    std::vector<std::size_t> shown_;  // the rows of table_ that the filter lets through, in order
    std::string filter_;
    std::map<std::string, int> widths_;
    bool sizedByUser_ = false;  // a column was sized by dragging its header's edge
    int sortColumn_ = 1;  // the date
    bool sortAscending_ = false;
    std::string tipText_;  // kept alive while the list shows it
};
