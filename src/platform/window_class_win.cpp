#include "platform/window_class_win.h"

bool RegisterWindowClassOnce(const char* className, WNDPROC procedure, HBRUSH background) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(instance, className, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}
