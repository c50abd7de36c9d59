#include "app/results_window_win.h"

#include <commctrl.h>

#include <algorithm>

#include "app/control_ids.h"
#include "app/results_window_layout.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {

// Design pixels at 96 DPI.
constexpr int kDefaultWidth = 900;
constexpr int kDefaultHeight = 560;
constexpr int kMargin = 8;
constexpr int kRowHeight = 22;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 26;
constexpr int kFilterWidth = 240;
constexpr int kLeastFilterWidth = 80;
constexpr int kLeastCountWidth = 140;  // "10 shown of 100 passes"

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

}  // namespace

void ResultsWindow::Show(HWND owner, const std::string& resultFolder) {
    if (!Handle() && !Create(owner)) return;
    list_.Reload(resultFolder);
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
}

void ResultsWindow::Reload(const std::string& resultFolder) {
    if (Handle()) list_.Reload(resultFolder);
}

bool ResultsWindow::Create(HWND owner) {
    if (!CreateCentred("TResultsForm", "Lurkmark results", kStyle, kExStyle, Scale(kDefaultWidth),
                       Scale(kDefaultHeight), owner, owner)) {
        return false;
    }
    CreateControls();
    const std::optional<ResultsWindowBounds> stored = DecodeWindowBounds(settings_.Read(kResultsWindowValue));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(Handle(), &placement);
    if (stored) {
        RECT bounds{stored->left, stored->top, stored->left + stored->width, stored->top + stored->height};
        // Kept on a display that is gone: the stored size where the window was made.
        if (!MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL)) {
            const POINT made{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
            bounds = {made.x, made.y, made.x + stored->width, made.y + stored->height};
        }
        placement.rcNormalPosition = bounds;
    }
    maximised_ = stored && stored->maximised;
    placement.showCmd = maximised_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    SetWindowPlacement(Handle(), &placement);
    Layout();
    SetFocus(filter_);
    return true;
}

HWND ResultsWindow::AddControl(const char* cls, const char* text, DWORD style, int id, DWORD exStyle) {
    HWND control = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return control;
}

void ResultsWindow::CreateControls() {
    font_ = CreateUiFont(11);
    filterLabel_ = AddControl("STATIC", "&Filter:", SS_LEFT, ctl::ResultsFilterLabel);
    filter_ = AddControl("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, ctl::ResultsFilter, WS_EX_CLIENTEDGE);
    SendMessageA(filter_, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Computer, note or demo"));
    label_ = AddControl("STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, ctl::ResultsWindowLabel);
    listView_ = AddControl(WC_LISTVIEWA, "", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP,
                           ctl::ResultsWindowList, WS_EX_CLIENTEDGE);
    compare_ = AddControl("BUTTON", "&Compare", BS_PUSHBUTTON | WS_TABSTOP, ctl::ResultsWindowCompare);
    openReport_ = AddControl("BUTTON", "Open &report", BS_PUSHBUTTON | WS_TABSTOP, ctl::ResultsWindowOpenReport);
    openFolderButton_ = AddControl("BUTTON", "Open f&older", BS_PUSHBUTTON | WS_TABSTOP, ctl::ResultsWindowOpenFolder);
    list_.Attach({Handle(), label_, listView_, compare_, openReport_}, HistoryView::Window);
    list_.SetColumnWidths(DecodeColumnWidths(settings_.Read(kResultsColumnsValue)));
}

// The filter on top, the list filling the window, the commands below it.
void ResultsWindow::Layout() {
    RECT client;
    GetClientRect(Handle(), &client);
    const int margin = Scale(kMargin);
    const int row = Scale(kRowHeight);
    const int labelWidth = Scale(40);
    // A narrow window narrows the filter, never the count of passes beside it.
    const int filterWidth = std::clamp(static_cast<int>(client.right) - margin * 4 - labelWidth - Scale(kLeastCountWidth),
                                       Scale(kLeastFilterWidth), Scale(kFilterWidth));
    const int buttonWidth = Scale(kButtonWidth);
    const int buttonHeight = Scale(kButtonHeight);
    const int width = client.right;
    const int height = client.bottom;
    const int listTop = margin * 2 + row;
    const int buttonTop = height - margin - buttonHeight;
    HDWP moves = BeginDeferWindowPos(7);
    auto place = [&](HWND control, int x, int y, int w, int h) {
        if (moves) moves = DeferWindowPos(moves, control, nullptr, x, y, std::max(0, w), std::max(0, h), SWP_NOZORDER);
    };
    place(filterLabel_, margin, margin + Scale(4), labelWidth, row - Scale(4));
    place(filter_, margin + labelWidth, margin, filterWidth, row);
    const int countLeft = margin * 3 + labelWidth + filterWidth;
    place(label_, countLeft, margin + Scale(4), width - countLeft - margin, row - Scale(4));
    place(listView_, margin, listTop, width - 2 * margin, buttonTop - margin - listTop);
    place(compare_, margin, buttonTop, buttonWidth, buttonHeight);
    place(openReport_, margin * 2 + buttonWidth, buttonTop, buttonWidth, buttonHeight);
    place(openFolderButton_, margin * 3 + buttonWidth * 2, buttonTop, buttonWidth, buttonHeight);
    if (moves) EndDeferWindowPos(moves);
}

void ResultsWindow::StoreIfChanged(const char* name, const std::string& value) {
    if (settings_.Read(name) != value) settings_.Write(name, value);
}

void ResultsWindow::StoreBounds() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(Handle(), &placement)) return;
    const RECT& r = placement.rcNormalPosition;
    StoreIfChanged(kResultsWindowValue, EncodeWindowBounds({r.left, r.top, r.right - r.left, r.bottom - r.top,
                                                            IsZoomed(Handle()) != FALSE}));
}

void ResultsWindow::StoreColumnWidths() {
    StoreIfChanged(kResultsColumnsValue, EncodeColumnWidths(list_.ColumnWidths()));
}

void ResultsWindow::OnCommand(int id, int code) {
    switch (id) {
    case ctl::ResultsFilter:
        if (code == EN_CHANGE) {
            char text[256] = {};
            GetWindowTextA(filter_, text, sizeof text);
            list_.SetFilter(text);
        }
        break;
    case ctl::ResultsWindowCompare: list_.CompareClick(); break;
    case ctl::ResultsWindowOpenReport: list_.OpenReportClick(); break;
    case ctl::ResultsWindowOpenFolder: openFolder_(); break;
    case IDCANCEL: PostMessageA(Handle(), WM_CLOSE, 0, 0); break;  // Escape
    default: break;
    }
}

LRESULT ResultsWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        Layout();
        // Maximising and restoring end without a move loop: they are kept at once.
        if (wParam != SIZE_MINIMIZED && (wParam == SIZE_MAXIMIZED) != maximised_) {
            maximised_ = wParam == SIZE_MAXIMIZED;
            StoreBounds();
        }
        return 0;
    case WM_EXITSIZEMOVE:
        StoreBounds();
        return 0;
    case WM_GETMINMAXINFO: {
        auto& info = *reinterpret_cast<MINMAXINFO*>(lParam);
        info.ptMinTrackSize = {Scale(kResultsWindowMinWidth), Scale(kResultsWindowMinHeight)};
        return 0;
    }
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.code == HDN_ENDTRACKA || header.code == HDN_ENDTRACKW) {
            // The width is set after this notice: keep it once the list has taken it.
            PostMessageA(Handle(), WM_APP, 0, 0);
            break;
        }
        LRESULT result = 0;
        if (list_.OnNotify(header, result)) return result;
        break;
    }
    case WM_APP:
        StoreColumnWidths();
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_DESTROY:
        StoreBounds();
        StoreColumnWidths();
        return 0;
    default: break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}
