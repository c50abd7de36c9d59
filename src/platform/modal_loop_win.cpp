#include "platform/modal_loop_win.h"

bool RunModalLoop(HWND dialog, const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}
