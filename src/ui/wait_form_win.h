#pragma once
#include <functional>

#include "ui/window_win.h"

// TForm2: the small "Please wait..." window shown during file copies and downloads. Shown
// with a cancel handler, it carries a Cancel button that calls it.
class WaitForm : public Window {
public:
    static constexpr int kCancelButton = 401;

    bool Create();
    void Show(std::function<void()> onCancel = nullptr);
    void Hide();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HWND cancel_ = nullptr;
    std::function<void()> onCancel_;
};
