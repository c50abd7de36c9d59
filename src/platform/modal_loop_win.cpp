#include "platform/modal_loop_win.h"

bool RunModalLoop(HWND dialog, const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        // Without a dialog of its own, keys work the controls of the window they are for.
        HWND keys = dialog ? dialog : (msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr);
        if (keys && IsDialogMessageA(keys, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}
