#include "ui/wait_form_win.h"

#include "platform/handler_call.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

bool WaitForm::Create() {
    if (!CreateCentred("TForm2", "Please wait...", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, Scale(220), Scale(60),
                       nullptr)) {
        return false;
    }
    // Right of the painted text, on the window's own background.
    cancel_ = CreateWindowExA(0, "BUTTON", "Cancel", WS_CHILD | BS_OWNERDRAW | WS_TABSTOP, Scale(150), Scale(18),
                              Scale(60), Scale(24), Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelButton)),
                              GetModuleHandleA(nullptr), nullptr);
    return true;
}

void WaitForm::Show(std::function<void()> onCancel) {
    onCancel_ = std::move(onCancel);
    ShowWindow(cancel_, onCancel_ ? SW_SHOW : SW_HIDE);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
}

void WaitForm::Hide() {
    ShowWindow(Handle(), SW_HIDE);
    onCancel_ = nullptr;
}

LRESULT WaitForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT client;
        GetClientRect(Handle(), &client);
        PaintWaitBackground(dc, client);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_DRAWITEM:
        PaintDarkButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCancelButton) CallHandler(onCancel_);
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}
