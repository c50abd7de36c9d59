#pragma once
#include <functional>
#include <string>

#include "online/update_dialog_win.h"

// A small window on top with one line of text and a Cancel button, shown while the program
// waits on the network: "Checking for updates..." and the help download's "Please wait...".
// It does not block: the caller's work goes on and closes it. Cancel and the close box call
// onCancel, which is expected to end that work and close the window.
class CancelWaitForm : public UpdateDialog {
public:
    static constexpr int kTextLabel = 301;
    static constexpr int kCancelButton = 302;

    explicit CancelWaitForm(std::function<void()> onCancel) : onCancel_(std::move(onCancel)) {}

    void Show(HWND owner, const std::string& caption, const std::string& text);
    void Close();
    bool Shown() const { return Handle() && IsWindowVisible(Handle()); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void()> onCancel_;
};
