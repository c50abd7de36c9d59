#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "results/pass_history.h"

// The Results page: the passes of the results folder in a report-style list, newest first,
// sorted by a click on a column; Enter or a double click opens a pass's report, "Compare"
// writes and opens the comparison page of 2 to 8 selected passes. Files are only read.
class ResultsPage {
public:
    static constexpr std::size_t kMostCompared = 8;

    struct Controls {
        HWND owner;    // the main window: owner of messages and of what the shell opens
        HWND label;    // what the list shows
        HWND list;     // a list view in report style with LVS_OWNERDATA
        HWND compare;  // "Compare"
    };
    void Attach(const Controls& controls);

    // Reads the folder afresh and fills the list.
    void Reload(const std::string& resultFolder);
    void CompareClick();
    // The list's notifications; true when handled, with the answer in `result`.
    bool OnNotify(const NMHDR& header, LRESULT& result);

private:
    static LRESULT CALLBACK ListProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void Fill();
    void SortBy(int column);
    void OpenReport(int item);
    void UpdateCompareButton();
    std::vector<int> SelectedItems() const;
    const HistoryRow& RowAt(int item) const { return table_.rows[static_cast<std::size_t>(item)]; }

    Controls controls_{};
    std::string folder_;
    std::vector<HistoryEntry> entries_;
    HistoryTable table_;
    int sortColumn_ = static_cast<int>(HistoryColumnIndex::Started);
    bool sortAscending_ = false;
    std::string tipText_;  // kept alive while the list shows it
};
