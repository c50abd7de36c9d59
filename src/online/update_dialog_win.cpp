#include "online/update_dialog_win.h"

#include "ui/artwork_win.h"
#include "ui/container_panel_win.h"
#include "ui/dpi_win.h"

UpdateDialog::UpdateDialog() : font_(CreateUiFont(11)), blackBrush_(CreateSolidBrush(kPageBlack)) {}

bool UpdateDialog::CreateDialogWindow(const char* className, const char* caption, int clientWidth, int clientHeight,
                                      HWND owner) {
    return CreateCentred(className, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                         WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, Scale(clientWidth),
                         Scale(clientHeight), owner);
}

HWND UpdateDialog::AddControl(HWND parent, const char* cls, const char* text, DWORD style, int id, int x, int y, int w,
                              int h) {
    HWND control = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, Scale(x), Scale(y), Scale(w),
                                   Scale(h), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return control;
}

HWND UpdateDialog::AddLabel(HWND parent, int id, const std::string& text, int x, int y, int w, int h) {
    return AddControl(parent, "STATIC", text.c_str(), SS_LEFT | SS_NOPREFIX, id, x, y, w, h);
}

HWND UpdateDialog::AddButton(int id, const char* text, int x, int y, int w, int h) {
    return AddControl(Handle(), "BUTTON", text, BS_OWNERDRAW | WS_TABSTOP, id, x, y, w, h);
}

HWND UpdateDialog::AddGroup(int id, const char* caption, int x, int y, int w, int h) {
    return CreateContainerPanel(Handle(), id, ScaleRect(x, y, w, h), caption, Font(), WS_VISIBLE);
}

LRESULT UpdateDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kWhite);
        SetBkColor(dc, kPageBlack);
        return reinterpret_cast<LRESULT>(blackBrush_.Get());
    }
    case WM_DRAWITEM:
        PaintDarkButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(blackBrush_.Get()));
        return 1;
    }
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

