#include "online/upgrade_question_form_win.h"

#include <algorithm>
#include <climits>

#include "online/update_texts.h"
#include "platform/modal_loop_win.h"
#include "platform/scoped_win.h"
#include "ui/dpi_win.h"

namespace {

constexpr int kWidth = 380;
constexpr int kTextLeft = 60;
constexpr int kTextWidth = kWidth - kTextLeft - 16;
constexpr int kButtonWidth = 84;
// Above and below the text, the buttons and the margin under them, in design pixels.
constexpr int kChromeHeight = 16 + 16 + 24 + 12;
// Longer texts are not measured: they fill the window to the screen's height anyway.
constexpr std::size_t kLongestMeasured = 16 * 1024;

int ToDesign(int devicePixels) {
    return (devicePixels * 96 + Scale(96) - 1) / Scale(96);
}

// The most text height (design pixels) that keeps the whole window on the work area.
int MaxTextHeight() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int frame = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME);
    return std::max(32, ToDesign(area.bottom - area.top - frame) - kChromeHeight);
}

// The height the text needs at the field's width, in design pixels.
int TextHeight(const std::string& text, HFONT font) {
    if (text.size() > kLongestMeasured) return INT_MAX;
    ScopedWindowDc screen(nullptr);
    ScopedSelect select(screen.Get(), font);
    RECT r{0, 0, Scale(kTextWidth), 0};
    DrawTextA(screen.Get(), text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return ToDesign(r.bottom) + 2;
}

}  // namespace

bool UpgradeQuestionForm::Ask(HWND owner, const std::string& text) {
    // The maker's message may be long (the information file may hold a megabyte): past the
    // screen's height the text scrolls, and the window stays whole on the screen.
    const int needed = std::max(32, TextHeight(text, Font()));
    const bool scrolls = needed > MaxTextHeight();
    const int textHeight = scrolls ? MaxTextHeight() : needed;
    const int buttonsTop = 16 + textHeight + 16;
    if (!CreateDialogWindow("TUpgradeQuestionForm", UpdateText(0), kWidth, buttonsTop + 24 + 12, owner)) return false;
    HWND icon = AddControl(Handle(), "STATIC", "", SS_ICON, 0, 16, 16, 32, 32);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_INFORMATION)),
                 0);
    // A read-only edit field: it scrolls, and its text can be selected and copied.
    HWND field = AddControl(Handle(), "EDIT", "", ES_MULTILINE | ES_READONLY | (scrolls ? WS_VSCROLL : 0), kTextLabel,
                            kTextLeft, 16, kTextWidth, textHeight);
    SendMessageA(field, EM_SETLIMITTEXT, 0, 0);  // no limit of its own
    SetWindowTextA(field, WithCrLfBreaks(text).c_str());
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
