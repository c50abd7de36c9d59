#include "online/cancel_wait_form_win.h"

#include "online/update_texts.h"
#include "platform/handler_call.h"

namespace {
constexpr int kWidth = 300;
constexpr int kButtonWidth = 84;
}  // namespace

void CancelWaitForm::Show(HWND owner, const std::string& caption, const std::string& text) {
    Close();
    if (!CreateDialogWindow("TCancelWaitForm", caption.c_str(), kWidth, 84, owner)) return;
    AddLabel(Handle(), kTextLabel, text, 16, 16, kWidth - 32, 16);
    HWND cancel = AddButton(kCancelButton, UpdateText(17), (kWidth - kButtonWidth) / 2, 46, kButtonWidth);
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    SetFocus(cancel);
}

void CancelWaitForm::Close() {
    if (Handle()) DestroyWindow(Handle());
}

LRESULT CancelWaitForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCancelButton || LOWORD(wParam) == IDCANCEL) CallHandler(onCancel_);
        return 0;
    case WM_CLOSE:
        CallHandler(onCancel_);
        return 0;
    default:
        break;
    }
    return UpdateDialog::HandleMessage(msg, wParam, lParam);
}
