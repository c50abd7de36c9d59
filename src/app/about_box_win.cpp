#include "app/about_box_win.h"

#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

bool AboutBox::Create() {
    return CreateCentred("TAboutBox", "About", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, Scale(kWidth), Scale(kHeight),
                         nullptr);
}

void AboutBox::ShowSplash() {
    AboutBox splash;
    if (!splash.Create()) return;
    ShowWindow(splash.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(splash.Handle());
    Sleep(kSplashMilliseconds);
}

LRESULT AboutBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void AboutBox::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    PaintSplash(dc, client);
}
