#pragma once
#include "app/window_win.h"

// TForm2: the small "Please wait..." window shown during file copies and downloads.
class WaitForm : public Window {
public:
    bool Create();
    void Show();
    void Hide();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
