#pragma once
#include "ui/window_win.h"

// TAboutBox: the borderless, always-on-top splash picture (800 x 559), centred on the screen.
class AboutBox : public Window {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 559;
    static constexpr DWORD kSplashMilliseconds = 6000;

    bool Create();
    // Shows the splash, painted at once, for six seconds during which nothing else runs.
    static void ShowSplash();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
};
