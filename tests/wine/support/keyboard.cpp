#include "support/keyboard.h"

namespace wt {

HWND FocusIn(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

namespace {

HWND KeyTarget(HWND top) {
    HWND focus = FocusIn(top);
    return focus ? focus : top;
}

}  // namespace

void PressKey(HWND top, WPARAM virtualKey) {
    HWND target = KeyTarget(top);
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000);
}

void PressAltLetter(HWND top, char letter) {
    // What TranslateMessage makes of Alt and the letter: the system character, context bit set.
    PostMessageA(KeyTarget(top), WM_SYSCHAR, static_cast<WPARAM>(letter), 1 | (1 << 29));
}

}  // namespace wt
