#include "online/upgrade_question_form_win.h"

#include <algorithm>

#include "app/dpi_win.h"
#include "online/update_texts.h"
#include "platform/modal_loop_win.h"
#include "platform/scoped_win.h"

namespace {

constexpr int kWidth = 380;
constexpr int kTextLeft = 60;
constexpr int kTextWidth = kWidth - kTextLeft - 16;
constexpr int kButtonWidth = 84;

// The height the text needs at the label's width, in design pixels.
int TextHeight(const std::string& text, HFONT font) {
    ScopedWindowDc screen(nullptr);
    ScopedSelect select(screen.Get(), font);
    RECT r{0, 0, Scale(kTextWidth), 0};
    DrawTextA(screen.Get(), text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return (r.bottom * 96 + Scale(96) - 1) / Scale(96) + 2;
}

}  // namespace

bool UpgradeQuestionForm::Ask(HWND owner, const std::string& text) {
    const int textHeight = std::max(32, TextHeight(text, Font()));
    const int buttonsTop = 16 + textHeight + 16;
    if (!CreateDialogWindow("TUpgradeQuestionForm", UpdateText(0), kWidth, buttonsTop + 24 + 12, owner)) return false;
    HWND icon = AddControl(Handle(), "STATIC", "", SS_ICON, 0, 16, 16, 32, 32);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_INFORMATION)),
                 0);
    AddControl(Handle(), "STATIC", text.c_str(), SS_LEFT | SS_NOPREFIX, kTextLabel, kTextLeft, 16, kTextWidth,
               textHeight);
    const int buttonsLeft = (kWidth - 2 * kButtonWidth - 8) / 2;
    HWND yes = AddButton(kYesButton, UpdateText(14), buttonsLeft, buttonsTop, kButtonWidth);
    AddButton(kLaterButton, UpdateText(19), buttonsLeft + kButtonWidth + 8, buttonsTop, kButtonWidth);

    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(yes);
    RunModalLoop(Handle(), [this] { return answered_; });
    // The owner first, so that it is activated when this window goes.
    if (owner) EnableWindow(owner, TRUE);
    DestroyWindow(Handle());
    return yes_;
}

void UpgradeQuestionForm::Answer(bool yes) {
    yes_ = yes;
    answered_ = true;
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT UpgradeQuestionForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kYesButton || LOWORD(wParam) == kLaterButton) {
            Answer(LOWORD(wParam) == kYesButton);
            return 0;
        }
        break;
    case WM_CLOSE:
        Answer(false);
        return 0;
    case DM_GETDEFID:  // Enter presses "&Yes"
        return MAKELRESULT(kYesButton, DC_HASDEFID);
    default:
        break;
    }
    return UpdateDialog::HandleMessage(msg, wParam, lParam);
}
