#include "app/enter_key_win.h"

bool PressFocusedButton(HWND root) {
    HWND focus = GetFocus();
    if (!focus || !IsChild(root, focus) || !IsWindowEnabled(focus)) return false;
    char cls[16] = {};
    GetClassNameA(focus, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") != 0) return false;
    // Only push-like buttons: Enter on a check box or radio item changes no choice.
    if ((GetWindowLongA(focus, GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW) return false;
    SendMessageA(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                 reinterpret_cast<LPARAM>(focus));
    return true;
}
