#include "ui/dpi_win.h"

#include "platform/system_library_win.h"

void DeclareDpiAware() {
    // Vista and later; Windows XP never stretches a window, so there it has nothing to do.
    typedef BOOL(WINAPI * SetProcessDpiAwareFunction)();
    SetProcessDpiAwareFunction declare = nullptr;
    const HMODULE user = GetModuleHandleA("user32.dll");
    if (user && FindFunction(user, "SetProcessDPIAware", declare)) declare();
}

namespace {

int SystemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

}  // namespace

int Scale(int designPixels) {
    return MulDiv(designPixels, SystemDpi(), 96);
}

RECT ScaleRect(int x, int y, int width, int height) {
    const int left = Scale(x);
    const int top = Scale(y);
    return RECT{left, top, left + Scale(width), top + Scale(height)};
}
