#include "app/wait_form_win.h"

#include "platform/scoped_win.h"

bool WaitForm::Create() {
    return CreateCentred("TForm2", "Please wait...", WS_POPUP | WS_BORDER, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 220, 60,
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
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextA(dc, "Please wait...", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(Handle(), &ps);
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}
