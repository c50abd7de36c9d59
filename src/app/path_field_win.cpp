#include "app/path_field_win.h"

#include <commctrl.h>

#include <string>

#include "app/middle_ellipsis.h"
#include "platform/scoped_win.h"

namespace {

void PaintShortened(HWND field, HDC dc) {
    // The colours the field's parent chooses for it, as the edit control would ask.
    HWND parent = GetParent(field);
    const UINT colourMessage = IsWindowEnabled(field) && !(GetWindowLongA(field, GWL_STYLE) & ES_READONLY)
                                   ? WM_CTLCOLOREDIT
                                   : WM_CTLCOLORSTATIC;
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, colourMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(field)));
    RECT client;
    GetClientRect(field, &client);
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
    RECT format{};
    SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(field, &text[0], static_cast<int>(text.size()))));
    ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0)));
    const int room = format.right - format.left;
    const std::string shown = ShortenInTheMiddle(text, [&](const std::string& candidate) {
        SIZE size{};
        GetTextExtentPoint32A(dc, candidate.c_str(), static_cast<int>(candidate.size()), &size);
        return size.cx <= room;
    });
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &format,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT CALLBACK FieldProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    switch (msg) {
    case WM_PAINT:
        if (GetFocus() == hwnd) break;
        {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            PaintShortened(hwnd, dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
    case WM_SIZE: {
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, FieldProcedure, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void ShowPathWithEllipsis(HWND field) {
    SetWindowSubclass(field, FieldProcedure, 1, 0);
}
