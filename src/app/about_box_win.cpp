#include "app/about_box_win.h"

#include "platform/scoped_win.h"

bool AboutBox::Create() {
    return CreateCentred("TAboutBox", "About", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWidth, kHeight, nullptr);
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
    ScopedGdiObject background(CreateSolidBrush(RGB(12, 14, 18)));
    FillRect(dc, &client, static_cast<HBRUSH>(background.Get()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(82, 160, 196));
    DrawTextA(dc, "Quenwick Lurkmark", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
