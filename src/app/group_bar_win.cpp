#include "app/group_bar_win.h"

#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {
constexpr int kHeaderHeight = 22;
constexpr int kItemHeight = 19;
}

bool GroupBar::Create(HWND parent, int id, const RECT& rect, HFONT font, std::vector<Group> groups) {
    groups_ = std::move(groups);
    font_ = font;
    if (!CreateChild("TRzGroupBar", parent, id, rect, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT)) return false;
    const int width = rect.right - rect.left;
    for (const Group& group : groups_) {
        HWND header = CreateWindowExA(0, "BUTTON", group.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0,
                                      width, Scale(kHeaderHeight), Handle(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(group.headerId)), nullptr, nullptr);
        SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        headers_.push_back(header);
        std::vector<HWND> items;
        for (const Item& item : group.items) {
            HWND button = CreateWindowExA(0, "BUTTON", item.text, WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, 0, 0, width,
                                          Scale(kItemHeight), Handle(),
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), nullptr, nullptr);
            SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            items.push_back(button);
        }
        items_.push_back(items);
        open_.push_back(false);
    }
    Arrange();
    return true;
}

void GroupBar::Toggle(std::size_t group) {
    const bool opening = !open_[group];
    for (std::size_t i = 0; i < open_.size(); ++i) open_[i] = false;
    open_[group] = opening;
    Arrange();
}

void GroupBar::Arrange() {
    int y = 0;
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        SetWindowPos(headers_[g], nullptr, 0, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(headers_[g], nullptr, FALSE);
        y += Scale(kHeaderHeight + 2);
        for (HWND item : items_[g]) {
            if (open_[g]) {
                SetWindowPos(item, nullptr, 0, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
                y += Scale(kItemHeight);
            } else {
                ShowWindow(item, SW_HIDE);
            }
        }
        if (open_[g]) y += Scale(4);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT GroupBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            if (LOWORD(wParam) == groups_[g].headerId) {
                Toggle(g);
                return 0;
            }
        }
        return SendMessageA(GetParent(Handle()), msg, wParam, lParam);
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            if (static_cast<int>(item.CtlID) == groups_[g].headerId) {
                DrawHeader(item, g);
                return TRUE;
            }
        }
        DrawItem(item);
        return TRUE;
    }
    case WM_SETCURSOR:
        // Items are links: the hand pointer says so.
        if (reinterpret_cast<HWND>(wParam) != Handle()) {
            ShowHandPointer();
            return TRUE;
        }
        break;
    case WM_CONTEXTMENU:
        return 0;  // the batch menu belongs to the background and the pages only
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void GroupBar::DrawHeader(const DRAWITEMSTRUCT& item, std::size_t group) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    HBRUSH band = CreateSolidBrush(down ? RGB(30, 42, 52) : RGB(16, 22, 28));
    FillRect(dc, &r, band);
    DeleteObject(band);
    RECT line{r.left, r.bottom - 1, r.right, r.bottom};
    HBRUSH accent = CreateSolidBrush(RGB(54, 96, 118));
    FillRect(dc, &line, accent);
    DeleteObject(accent);
    // An arrow that points down when the group is open.
    const int cx = r.right - Scale(12);
    const int cy = (r.top + r.bottom) / 2;
    const int s = Scale(4);
    POINT arrow[3];
    if (open_[group]) {
        arrow[0] = {cx - s, cy - s / 2};
        arrow[1] = {cx + s, cy - s / 2};
        arrow[2] = {cx, cy + s / 2 + 1};
    } else {
        arrow[0] = {cx - s / 2, cy - s};
        arrow[1] = {cx - s / 2, cy + s};
        arrow[2] = {cx + s / 2 + 1, cy};
    }
    HBRUSH arrowBrush = CreateSolidBrush(kAccentColour);
    HGDIOBJ oldBrush = SelectObject(dc, arrowBrush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(arrowBrush);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    // The caption colour set at creation.
    SetTextColor(dc, kAccentColour);
    RECT text{r.left + Scale(8), r.top, r.right - Scale(20), r.bottom};
    DrawTextA(dc, groups_[group].caption, -1, &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DrawFocusCue(item, Scale(2));
}

void GroupBar::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    char text[64] = {};
    GetWindowTextA(item.hwndItem, text, sizeof text);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    SetTextColor(dc, down ? kWhite : kSilver);
    RECT textRect{r.left + Scale(18), r.top, r.right, r.bottom};
    DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, oldFont);
    DrawFocusCue(item, 0);
}
