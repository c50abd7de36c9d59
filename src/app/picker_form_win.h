#pragma once
#include "app/window_win.h"

// TForm3: the custom-resolution picker, a borderless always-on-top window (228 x 502).
class PickerForm : public Window {
public:
    static constexpr int kWidth = 228;
    static constexpr int kHeight = 502;
    bool Create(HWND mainWindow);

private:
    HWND main_ = nullptr;
};
