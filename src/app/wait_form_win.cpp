#include "app/wait_form_win.h"

#include "app/artwork_win.h"
#include "app/dpi_win.h"

bool WaitForm::Create() {
    return CreateCentred("TForm2", "Please wait...", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, Scale(220), Scale(60),
                         nullptr);
}

void WaitForm::Show() {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
}

void WaitForm::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT WaitForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT client;
        GetClientRect(Handle(), &client);
        PaintWaitBackground(dc, client);
        EndPaint(Handle(), &ps);
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}
