#include "app/results_page_win.h"

#include <algorithm>

#include "domain/app_paths.h"
#include "platform/decimal_separator_win.h"
#include "platform/text_file.h"
#include "results/compare_page.h"
#include "results/pass_history_win.h"
#include "results/report_document.h"
#include "results/report_document_win.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {

constexpr COLORREF kGreyedText = RGB(112, 112, 112);

char DecimalSeparator() {
    const std::string separator = UserDecimalSeparator();
    return separator.empty() ? '.' : separator[0];
}

int ColumnWidth(std::size_t column) {
    static const int widths[] = {18, 134, 110, 84, 76, 36};
    return Scale(column < std::size(widths) ? widths[column] : 64);
}

}  // namespace

void ResultsPage::Attach(const Controls& controls) {
    controls_ = controls;
    HWND list = controls_.list;
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    ListView_SetBkColor(list, kPageBlack);
    ListView_SetTextBkColor(list, kPageBlack);
    ListView_SetTextColor(list, kSilver);
    SetWindowSubclass(list, ListProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    EnableWindow(controls_.compare, FALSE);
}

// The dialog keys of the message loop would take Enter away from the list.
LRESULT CALLBACK ResultsPage::ListProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_GETDLGCODE && lParam) {
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void ResultsPage::Reload(const std::string& resultFolder) {
    folder_ = resultFolder;
    entries_ = ReadHistoryFolder(resultFolder);
    table_ = BuildHistoryTable(entries_, DecimalSeparator());
    SortHistoryRows(table_, entries_, static_cast<std::size_t>(sortColumn_), sortAscending_);
    Fill();
    std::size_t unreadable = 0;
    for (const HistoryRow& row : table_.rows) unreadable += row.greyed;
    const std::size_t passes = table_.rows.size() - unreadable;
    std::string text = std::to_string(passes) + (passes == 1 ? " pass in " : " passes in ") + folder_;
    if (unreadable) {
        text += " (" + std::to_string(unreadable) + (unreadable == 1 ? " file cannot" : " files cannot") + " be shown)";
    }
    SetWindowTextA(controls_.label, text.c_str());
}

void ResultsPage::Fill() {
    HWND list = controls_.list;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    while (ListView_DeleteColumn(list, 0)) {
    }
    for (std::size_t c = 0; c < table_.columns.size(); ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = table_.columns[c].numeric ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = ColumnWidth(c);
        column.pszText = const_cast<char*>(table_.columns[c].title.c_str());
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    // The list holds no texts of its own: it asks for each cell it draws (LVN_GETDISPINFO),
    // so a folder of a thousand passes fills at once.
    ListView_SetItemCountEx(list, static_cast<int>(table_.rows.size()), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateCompareButton();
}

void ResultsPage::SortBy(int column) {
    if (column == sortColumn_) {
        sortAscending_ = !sortAscending_;
    } else {
        sortColumn_ = column;
        // Dates and scores start with the newest and the highest, texts with A.
        const bool text = column != static_cast<int>(HistoryColumnIndex::Started) &&
                          !table_.columns[static_cast<std::size_t>(column)].numeric;
        sortAscending_ = text;
    }
    std::vector<std::size_t> selected;
    for (int item : SelectedItems()) selected.push_back(RowAt(item).entry);
    SortHistoryRows(table_, entries_, static_cast<std::size_t>(column), sortAscending_);
    Fill();
    for (std::size_t r = 0; r < table_.rows.size(); ++r) {
        if (std::find(selected.begin(), selected.end(), table_.rows[r].entry) != selected.end()) {
            ListView_SetItemState(controls_.list, static_cast<int>(r), LVIS_SELECTED, LVIS_SELECTED);
        }
    }
}

std::vector<int> ResultsPage::SelectedItems() const {
    std::vector<int> items;
    for (int i = ListView_GetNextItem(controls_.list, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(controls_.list, i, LVNI_SELECTED)) {
        items.push_back(i);
    }
    return items;
}

void ResultsPage::UpdateCompareButton() {
    const std::vector<int> items = SelectedItems();
    const bool readable = std::none_of(items.begin(), items.end(), [this](int i) { return RowAt(i).greyed; });
    EnableWindow(controls_.compare, readable && items.size() >= 2 && items.size() <= kMostCompared);
}

void ResultsPage::OpenReport(int item) {
    if (item < 0 || static_cast<std::size_t>(item) >= table_.rows.size() || RowAt(item).greyed) return;
    const std::string report = JoinPath(folder_, entries_[RowAt(item).entry].pass->report);
    if (GetFileAttributesA(report.c_str()) == INVALID_FILE_ATTRIBUTES) {
        MessageBoxA(controls_.owner, ("The report " + report + " does not exist.").c_str(), "Lurkmark", MB_OK);
        return;
    }
    ::OpenReport(controls_.owner, report);
}

void ResultsPage::CompareClick() {
    std::vector<const PassSummary*> passes;
    for (int item : SelectedItems()) {
        if (!RowAt(item).greyed) passes.push_back(&*entries_[RowAt(item).entry].pass);
    }
    if (passes.size() < 2 || passes.size() > kMostCompared) return;
    const std::string path = JoinPath(folder_, ComparePageFileName(FileStampOf(CurrentStartTime())));
    WriteWholeFile(path, BuildComparePage(passes, DecimalSeparator()));
    ::OpenReport(controls_.owner, path);
}

bool ResultsPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != controls_.list) return false;
    result = 0;
    switch (header.code) {
    case LVN_COLUMNCLICK: SortBy(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem); return true;
    case LVN_GETDISPINFOA: {
        LVITEMA& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
        const auto row = static_cast<std::size_t>(item.iItem);
        const auto column = static_cast<std::size_t>(item.iSubItem);
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const bool known = row < table_.rows.size() && column < table_.rows[row].cells.size();
            lstrcpynA(item.pszText, known ? table_.rows[row].cells[column].c_str() : "", item.cchTextMax);
        }
        return true;
    }
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED: UpdateCompareButton(); return true;
    case NM_DBLCLK: OpenReport(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem); return true;
    case LVN_KEYDOWN:
        // Every list view reports the key this way; not all of them send NM_RETURN as well.
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_RETURN) {
            OpenReport(ListView_GetNextItem(controls_.list, -1, LVNI_FOCUSED));
        }
        return true;
    case LVN_GETINFOTIPA: {
        auto& tip = const_cast<NMLVGETINFOTIPA&>(reinterpret_cast<const NMLVGETINFOTIPA&>(header));
        if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= table_.rows.size()) return true;
        tipText_ = RowAt(tip.iItem).tooltip;
        if (!tipText_.empty() && tip.pszText && tip.cchTextMax > 0)
            lstrcpynA(tip.pszText, tipText_.c_str(), tip.cchTextMax);
        return true;
    }
    case NM_CUSTOMDRAW: {
        auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
            result = CDRF_NOTIFYITEMDRAW;
        } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            // Selected rows keep the list's own highlight.
            const auto item = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
            const bool selected =
                ListView_GetItemState(controls_.list, static_cast<int>(item), LVIS_SELECTED) & LVIS_SELECTED;
            if (!selected) {
                draw.clrText = item < table_.rows.size() && table_.rows[item].greyed ? kGreyedText : kSilver;
                draw.clrTextBk = kPageBlack;
            }
            result = CDRF_DODEFAULT;
        }
        return true;
    }
    default: return false;
    }
}
