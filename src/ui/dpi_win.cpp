#include "ui/dpi_win.h"

void DeclareDpiAware() {
    SetProcessDPIAware();
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
