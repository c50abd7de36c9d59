#pragma once
#include <windows.h>

#include <string>

#include "online/update_dialog_win.h"

// The question whether to download a newer version: its text, "&Yes" (the default) and
// "&Later", modal and on top of all windows.
class UpgradeQuestionForm : public UpdateDialog {
public:
    static constexpr int kYesButton = IDYES;
    static constexpr int kLaterButton = IDCANCEL;
    static constexpr int kTextLabel = 100;

    // True for "&Yes"; "&Later" and the close box answer false.
    bool Ask(HWND owner, const std::string& text);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Answer(bool yes);

    bool answered_ = false;
    bool yes_ = false;
};
