#include "ui/container_panel_win.h"

#include "platform/window_class_win.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {

constexpr char kClassName[] = "TLurkPanel";

void PaintPanel(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    char caption[128] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (!caption[0]) return;
    HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT frame{client.left, client.top + tm.tmHeight / 2, client.right, client.bottom};
    HBRUSH frameBrush = CreateSolidBrush(RGB(70, 96, 114));
    FrameRect(dc, &frame, frameBrush);
    DeleteObject(frameBrush);
    SIZE extent{};
    GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &extent);
    RECT text{Scale(8), 0, Scale(8) + extent.cx, tm.tmHeight};
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kPageBlack);
    SetTextColor(dc, kWhite);
    DrawTextA(dc, caption, -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

LRESULT CALLBACK PanelProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return SendMessageA(GetParent(hwnd), msg, wParam, lParam);
    case WM_SETFONT:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintPanel(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

HWND CreateContainerPanel(HWND parent, int id, const RECT& rect, const char* caption, HFONT font, DWORD extraStyle) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClassOnce(kClassName, PanelProcedure);
    HWND panel = CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, caption ? caption : "",
                                 WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | extraStyle, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (panel) SendMessageA(panel, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return panel;
}
