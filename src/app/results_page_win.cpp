#include "app/results_page_win.h"

#include <algorithm>

#include "app/compare_command.h"
#include "app/results_window_layout.h"
#include "domain/app_paths.h"
#include "platform/decimal_separator_win.h"
#include "platform/scoped_win.h"
#include "platform/text_file.h"
#include "results/history_filter.h"
#include "results/pass_history_win.h"
#include "results/report_document.h"
#include "results/report_document_win.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {

constexpr COLORREF kGreyedText = RGB(112, 112, 112);
// A selected row while the list has no focus: the list's own colour for it is light grey,
// under which the page's silver text cannot be read.
constexpr COLORREF kSelectedUnfocused = RGB(70, 74, 78);
// A folder of thousands of passes: its first rows tell the widths well enough.
constexpr std::size_t kRowsMeasured = 1000;

char DecimalSeparator() {
    const std::string separator = UserDecimalSeparator();
    return separator.empty() ? '.' : separator[0];
}

// Widths are kept in design pixels, so that they suit another display scaling too.
int DesignPixels(int devicePixels) {
    return MulDiv(devicePixels, 96, Scale(96));
}

}  // namespace

void ResultsPage::Attach(const Controls& controls, HistoryView view) {
    controls_ = controls;
    view_ = view;
    HWND list = controls_.list;
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    // The page is drawn in the main window's colours; the window of its own in the system's.
    if (view_ == HistoryView::Page) {
        ListView_SetBkColor(list, kPageBlack);
        ListView_SetTextBkColor(list, kPageBlack);
        ListView_SetTextColor(list, kSilver);
    }
    SetWindowSubclass(list, ListProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    EnableWindow(controls_.compare, FALSE);
    if (controls_.openReport) EnableWindow(controls_.openReport, FALSE);
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
    searchTexts_ = view_ == HistoryView::Window ? HistorySearchTexts(entries_) : std::vector<std::string>();
    if (sizedByUser_) widths_ = ColumnWidths();
    table_ = BuildHistoryTable(entries_, DecimalSeparator(), view_);
    // The table comes newest first: sorting it that way again would only cost time.
    const auto column = static_cast<std::size_t>(sortColumn_);
    if (column != ColumnOf(table_, HistoryField::Started) || sortAscending_) {
        SortHistoryRows(table_, entries_, column, sortAscending_);
    }
    shown_ = MatchingRows(table_, searchTexts_, filter_);
    Fill();
    ShowCount();
}

void ResultsPage::SetFilter(const std::string& text) {
    filter_ = text;
    shown_ = MatchingRows(table_, searchTexts_, filter_);
    ListView_SetItemState(controls_.list, -1, 0, LVIS_SELECTED);
    ListView_SetItemCountEx(controls_.list, static_cast<int>(shown_.size()), 0);
    InvalidateRect(controls_.list, nullptr, TRUE);
    UpdateButtons();
    ShowCount();
}

void ResultsPage::ShowCount() {
    std::size_t unreadable = 0;
    for (const HistoryRow& row : table_.rows) unreadable += row.greyed;
    const std::size_t passes = table_.rows.size() - unreadable;
    std::string text = passes == 1 ? "1 pass in " : std::to_string(passes) + " passes in ";
    if (shown_.size() != table_.rows.size()) text = std::to_string(shown_.size()) + " shown of " + text;
    text += folder_;
    if (unreadable) {
        text += " (" + std::to_string(unreadable) + (unreadable == 1 ? " file cannot" : " files cannot") + " be shown)";
    }
    SetWindowTextA(controls_.label, text.c_str());
}

std::map<std::string, int> ResultsPage::ColumnWidths() const {
    std::map<std::string, int> widths = widths_;
    HWND header = ListView_GetHeader(controls_.list);
    const int shown = header ? Header_GetItemCount(header) : 0;
    for (int c = 0; c < shown && static_cast<std::size_t>(c) < table_.columns.size(); ++c) {
        widths[ColumnName(table_.columns[static_cast<std::size_t>(c)])] =
            DesignPixels(ListView_GetColumnWidth(controls_.list, c));
    }
    return widths;
}

void ResultsPage::SetColumnWidths(const std::map<std::string, int>& widths) {
    widths_ = widths;
    for (std::size_t c = 0; c < table_.columns.size(); ++c) {
        const auto found = widths_.find(ColumnName(table_.columns[c]));
        if (found != widths_.end()) ListView_SetColumnWidth(controls_.list, static_cast<int>(c), Scale(found->second));
    }
}

void ResultsPage::Fill() {
    HWND list = controls_.list;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    while (ListView_DeleteColumn(list, 0)) {
    }
    const std::vector<int> widths = FittedWidths();
    for (std::size_t c = 0; c < table_.columns.size(); ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = table_.columns[c].numeric ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = widths[c];
        column.pszText = const_cast<char*>(table_.columns[c].title.c_str());
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    // The list holds no texts of its own: it asks for each cell it draws (LVN_GETDISPINFO),
    // so a folder of ten thousand passes fills at once.
    ListView_SetItemCountEx(list, static_cast<int>(shown_.size()), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateButtons();
}

// Device pixels: a width the user gave a column stays; every other column is as wide as its
// header and its widest cell, and where the list is too narrow for all of them the texts give
// way, so that the scores stay in view.
std::vector<int> ResultsPage::FittedWidths() const {
    HWND list = controls_.list;
    ScopedWindowDc dc(list);
    const HGDIOBJ oldFont = SelectObject(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    auto textWidth = [&dc](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const int cellPadding = Scale(14);
    const int headerPadding = Scale(24);  // the sort mark beside the title
    const std::size_t measured = std::min(table_.rows.size(), kRowsMeasured);
    std::vector<int> wanted;
    std::vector<int> least;
    for (std::size_t c = 0; c < table_.columns.size(); ++c) {
        const HistoryColumn& column = table_.columns[c];
        const auto stored = widths_.find(ColumnName(column));
        if (stored != widths_.end()) {
            wanted.push_back(Scale(stored->second));
            least.push_back(wanted.back());
            continue;
        }
        const int header = textWidth(column.title) + headerPadding;
        int widest = std::max(header, Scale(DefaultColumnWidth(column)) / 2);
        for (std::size_t r = 0; r < measured; ++r) {
            if (c < table_.rows[r].cells.size()) widest = std::max(widest, textWidth(table_.rows[r].cells[c]) + cellPadding);
        }
        wanted.push_back(widest);
        least.push_back(MayGiveWay(column) ? header : widest);
    }
    SelectObject(dc.Get(), oldFont);
    RECT client{};
    GetClientRect(list, &client);
    return FitColumnsToRoom(wanted, least, client.right - GetSystemMetrics(SM_CXVSCROLL));
}

void ResultsPage::SortBy(int column) {
    if (column == sortColumn_) {
        sortAscending_ = !sortAscending_;
    } else {
        sortColumn_ = column;
        // Dates and scores start with the newest and the highest, texts with A.
        const HistoryColumn& clicked = table_.columns[static_cast<std::size_t>(column)];
        const bool text = clicked.field != HistoryField::Started && !clicked.numeric;
        sortAscending_ = text;
    }
    std::vector<std::size_t> selected;
    for (int item : SelectedItems()) selected.push_back(RowAt(item).entry);
    if (sizedByUser_) widths_ = ColumnWidths();
    SortHistoryRows(table_, entries_, static_cast<std::size_t>(column), sortAscending_);
    shown_ = MatchingRows(table_, searchTexts_, filter_);
    Fill();
    for (std::size_t item = 0; item < shown_.size(); ++item) {
        if (std::find(selected.begin(), selected.end(), table_.rows[shown_[item]].entry) != selected.end()) {
            ListView_SetItemState(controls_.list, static_cast<int>(item), LVIS_SELECTED, LVIS_SELECTED);
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

void ResultsPage::UpdateButtons() {
    const std::vector<int> items = SelectedItems();
    const bool readable = std::none_of(items.begin(), items.end(), [this](int i) { return RowAt(i).greyed; });
    EnableWindow(controls_.compare, readable && items.size() >= 2 && items.size() <= kMostCompared);
    if (controls_.openReport) EnableWindow(controls_.openReport, readable && items.size() == 1);
}

void ResultsPage::OpenReportClick() {
    const std::vector<int> items = SelectedItems();
    if (items.size() == 1) OpenReport(items.front());
}

void ResultsPage::OpenReport(int item) {
    if (!HasItem(item) || RowAt(item).greyed) return;
    const std::string report = JoinPath(folder_, entries_[RowAt(item).entry].pass->report);
    if (GetFileAttributesA(report.c_str()) == INVALID_FILE_ATTRIBUTES) {
        MessageBoxA(controls_.owner, ("The report " + report + " does not exist.").c_str(), "Lurkmark", MB_OK);
        return;
    }
    ::OpenReport(controls_.owner, report);
}

// The list holds only what it shows of each pass (history_index.h): the page is built from
// the data files themselves, read again now.
void ResultsPage::CompareClick() {
    std::vector<std::string> files;
    for (int item : SelectedItems()) {
        if (!RowAt(item).greyed) files.push_back(JoinPath(folder_, entries_[RowAt(item).entry].fileName));
    }
    if (files.size() < 2 || files.size() > kMostCompared) return;
    const Comparison comparison =
        ComposeComparison(files, ReadWholeFile, ReadFileUpTo, FileStampOf(CurrentStartTime()), DecimalSeparator());
    if (!comparison.error.empty()) {
        MessageBoxA(controls_.owner, comparison.error.c_str(), "Lurkmark", MB_OK);
        return;
    }
    WriteWholeFile(comparison.pagePath, comparison.page);
    ::OpenReport(controls_.owner, comparison.pagePath);
}

bool ResultsPage::OnNotify(const NMHDR& header, LRESULT& result) {
    // A column the user sized keeps its width from then on; the owner may want the notice too.
    if (header.hwndFrom == ListView_GetHeader(controls_.list) &&
        (header.code == HDN_ENDTRACKA || header.code == HDN_ENDTRACKW)) {
        sizedByUser_ = true;
        return false;
    }
    if (header.hwndFrom != controls_.list) return false;
    result = 0;
    switch (header.code) {
    case LVN_COLUMNCLICK: SortBy(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem); return true;
    case LVN_GETDISPINFOA: {
        LVITEMA& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
        const auto column = static_cast<std::size_t>(item.iSubItem);
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const bool known = HasItem(item.iItem) && column < RowAt(item.iItem).cells.size();
            lstrcpynA(item.pszText, known ? RowAt(item.iItem).cells[column].c_str() : "", item.cchTextMax);
        }
        return true;
    }
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED: UpdateButtons(); return true;
    case NM_DBLCLK: OpenReport(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem); return true;
    case LVN_KEYDOWN:
        // Every list view reports the key this way; not all of them send NM_RETURN as well.
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_RETURN) {
            OpenReport(ListView_GetNextItem(controls_.list, -1, LVNI_FOCUSED));
        }
        return true;
    case LVN_GETINFOTIPA: {
        auto& tip = const_cast<NMLVGETINFOTIPA&>(reinterpret_cast<const NMLVGETINFOTIPA&>(header));
        if (!HasItem(tip.iItem)) return true;
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
            // Selected rows keep the list's own highlight while the list has the focus.
            const auto item = static_cast<int>(draw.nmcd.dwItemSpec);
            const bool selected = ListView_GetItemState(controls_.list, item, LVIS_SELECTED) & LVIS_SELECTED;
            const bool greyed = HasItem(item) && RowAt(item).greyed;
            if (selected && view_ == HistoryView::Page && GetFocus() != controls_.list) {
                draw.nmcd.uItemState &= ~CDIS_SELECTED;
                draw.clrText = kWhite;
                draw.clrTextBk = kSelectedUnfocused;
            } else if (!selected && view_ == HistoryView::Page) {
                draw.clrText = greyed ? kGreyedText : kSilver;
                draw.clrTextBk = kPageBlack;
            } else if (!selected && greyed) {
                draw.clrText = GetSysColor(COLOR_GRAYTEXT);
            }
            result = CDRF_DODEFAULT;
        }
        return true;
    }
    default: return false;
    }
}
