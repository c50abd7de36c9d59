#include "app/dimmed_check_box_win.h"

#include <commctrl.h>

#include "platform/scoped_win.h"
#include "ui/dpi_win.h"

namespace {

struct Colours {
    COLORREF page;
    COLORREF frame;
    COLORREF text;
};

void PaintDimmed(HWND box, HDC dc, const Colours& colours) {
    RECT r;
    GetClientRect(box, &r);
    SetBkColor(dc, colours.page);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0));
    ScopedSelect selectFont(dc, font);
    // The box and the gap before the caption as the system lays out an unthemed check box.
    const int side = Scale(12) + 1;
    SIZE zero{};
    GetTextExtentPoint32A(dc, "0", 1, &zero);
    const int top = (r.top + r.bottom - side) / 2;
    ScopedGdiObject pen(CreatePen(PS_SOLID, 1, colours.frame));
    ScopedSelect selectPen(dc, pen.Get());
    ScopedSelect selectBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, top, r.left + side, top + side);
    char text[64] = {};
    GetWindowTextA(box, text, sizeof text);
    RECT textRect{r.left + side + zero.cx / 2, r.top, r.right, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.text);
    DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_HIDEPREFIX);
}

LRESULT CALLBACK DimmedProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* colours = reinterpret_cast<Colours*>(data);
    switch (msg) {
    case WM_PAINT:
        if (IsWindowEnabled(hwnd)) break;
        {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            PaintDimmed(hwnd, dc, *colours);
            EndPaint(hwnd, &ps);
        }
        return 0;
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_SETTEXT: {
        // The system paints these changes at once, in its own disabled look: paint again.
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (!IsWindowEnabled(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, DimmedProcedure, id);
        delete colours;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void DrawDimmedWhenDisabled(HWND box, COLORREF page, COLORREF frame, COLORREF text) {
    auto* colours = new Colours{page, frame, text};
    if (!SetWindowSubclass(box, DimmedProcedure, 1, reinterpret_cast<DWORD_PTR>(colours))) delete colours;
}
