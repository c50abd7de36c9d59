#pragma once
// What a window looks like on the screen, pixel by pixel, for tests of drawing.
#include <windows.h>

#include <vector>

namespace wt {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;  // rows top to bottom

    bool operator==(const Pixels& other) const {
        return width == other.width && height == other.height && colours == other.colours;
    }
    bool operator!=(const Pixels& other) const { return !(*this == other); }
    // The largest of red, green and blue over all pixels: how bright the brightest one is.
    int Brightest() const;
    // The colour most pixels have.
    COLORREF MostCommon() const;
};

// The window's area on the screen as it shows now.
Pixels CaptureWindow(HWND window);

}  // namespace wt
