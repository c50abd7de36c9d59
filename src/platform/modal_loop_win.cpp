#include "platform/modal_loop_win.h"

namespace {

void Dispatch(HWND dialog, MSG& msg) {
    // Without a dialog of its own, keys work the controls of the window they are for.
    HWND keys = dialog ? dialog : (msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr);
    if (keys && IsDialogMessageA(keys, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

}  // namespace

bool RunModalLoop(HWND dialog, const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT goes back to the outer loop with its exit code; on an error (-1) msg
            // holds nothing, and the program leaves with a failure code.
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 1);
            return false;
        }
        Dispatch(dialog, msg);
    }
    return true;
}

bool PumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            Dispatch(nullptr, msg);
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= milliseconds) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_ALLINPUT);
    }
}
