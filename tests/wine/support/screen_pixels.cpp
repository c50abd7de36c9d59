#include "support/screen_pixels.h"

#include <algorithm>
#include <map>

#include "platform/scoped_win.h"

namespace wt {

int Pixels::Brightest() const {
    int brightest = 0;
    for (COLORREF c : colours) brightest = std::max({brightest, int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c))});
    return brightest;
}

COLORREF Pixels::MostCommon() const {
    std::map<COLORREF, int> counts;
    for (COLORREF c : colours) ++counts[c];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? CLR_INVALID : most->first;
}

Pixels CaptureWindow(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    Pixels pixels;
    pixels.width = r.right - r.left;
    pixels.height = r.bottom - r.top;
    ScopedWindowDc screen(nullptr);
    ScopedCreatedDc memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedGdiObject bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return pixels;
    {
        ScopedSelect select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, pixels.width, pixels.height, screen.Get(), r.left, r.top, SRCCOPY);
    }
    GdiFlush();
    const auto* bgra = static_cast<const unsigned char*>(bits);
    for (int i = 0; i < pixels.width * pixels.height; ++i) {
        pixels.colours.push_back(RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]));
    }
    return pixels;
}

}  // namespace wt
