#include "ui/artwork_win.h"

#include <string>

#include "ui/dpi_win.h"

namespace {

int Mix(int a, int b, int step, int steps) {
    return a + (b - a) * step / (steps > 1 ? steps - 1 : 1);
}

void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    const int steps = r.bottom - r.top;
    for (int i = 0; i < steps; ++i) {
        const COLORREF c = RGB(Mix(GetRValue(top), GetRValue(bottom), i, steps),
                               Mix(GetGValue(top), GetGValue(bottom), i, steps),
                               Mix(GetBValue(top), GetBValue(bottom), i, steps));
        RECT line{r.left, r.top + i, r.right, r.top + i + 1};
        SetBkColor(dc, c);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    }
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour, int width) {
    FillSolid(dc, RECT{r.left, r.top, r.right, r.top + width}, colour);
    FillSolid(dc, RECT{r.left, r.bottom - width, r.right, r.bottom}, colour);
    FillSolid(dc, RECT{r.left, r.top, r.left + width, r.bottom}, colour);
    FillSolid(dc, RECT{r.right - width, r.top, r.right, r.bottom}, colour);
}

ScopedGdiObject CreateTitleFont(int pixelHeight, int weight = FW_BOLD) {
    return ScopedGdiObject(CreateFontA(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

// A format bit DrawText does not use: "&" underlines the next character, as on a button.
constexpr UINT kShowPrefix = 0x80000000u;

void DrawTextIn(HDC dc, const std::string& text, RECT r, COLORREF colour, HGDIOBJ font, UINT format,
                int spacing = 0) {
    ScopedSelect select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    const int oldSpacing = SetTextCharacterExtra(dc, spacing);
    DrawTextA(dc, text.c_str(), -1, &r, (format & kShowPrefix) ? format & ~kShowPrefix : format | DT_NOPREFIX);
    SetTextCharacterExtra(dc, oldSpacing);
}

// The lurking eye: an almond outline, the iris in the accent colour, and sight marks.
void DrawEye(HDC dc, int cx, int cy, int radius, int penWidth) {
    ScopedGdiObject outline(CreatePen(PS_SOLID, penWidth, kAccentColour));
    ScopedGdiObject marks(CreatePen(PS_SOLID, (penWidth + 1) / 2, RGB(60, 110, 135)));
    ScopedGdiObject iris(CreateSolidBrush(kAccentColour));
    ScopedGdiObject pupil(CreateSolidBrush(RGB(6, 8, 10)));
    ScopedSelect selectPen(dc, outline.Get());
    ScopedSelect selectBrush(dc, GetStockObject(NULL_BRUSH));
    const int h = radius * 55 / 100;
    // Two arcs of large circles meet at the corners of the eye.
    const int bigR = (radius * radius + h * h) / (2 * h);
    Arc(dc, cx - bigR, cy - h, cx + bigR, cy - h + 2 * bigR, cx + radius, cy, cx - radius, cy);
    Arc(dc, cx - bigR, cy + h - 2 * bigR, cx + bigR, cy + h, cx - radius, cy, cx + radius, cy);
    {
        ScopedSelect b(dc, iris.Get());
        const int ir = h * 75 / 100;
        Ellipse(dc, cx - ir, cy - ir, cx + ir + 1, cy + ir + 1);
    }
    {
        ScopedSelect b(dc, pupil.Get());
        ScopedSelect p(dc, GetStockObject(NULL_PEN));
        const int pr = h * 32 / 100;
        Ellipse(dc, cx - pr, cy - pr, cx + pr + 1, cy + pr + 1);
    }
    {
        ScopedSelect b(dc, GetStockObject(WHITE_BRUSH));
        ScopedSelect p(dc, GetStockObject(NULL_PEN));
        const int hr = (h / 7) + 1;
        const int hx = cx + h / 4;
        const int hy = cy - h / 4;
        Ellipse(dc, hx - hr, hy - hr, hx + hr + 1, hy + hr + 1);
    }
    ScopedSelect p(dc, marks.Get());
    const int gap = radius + radius / 6;
    const int len = radius / 4;
    MoveToEx(dc, cx - gap - len, cy, nullptr);
    LineTo(dc, cx - gap, cy);
    MoveToEx(dc, cx + gap, cy, nullptr);
    LineTo(dc, cx + gap + len, cy);
    MoveToEx(dc, cx, cy - h - radius / 5 - len, nullptr);
    LineTo(dc, cx, cy - h - radius / 5);
    MoveToEx(dc, cx, cy + h + radius / 5, nullptr);
    LineTo(dc, cx, cy + h + radius / 5 + len);
}

void DrawRings(HDC dc, int cx, int cy, int from, int to, int step, COLORREF colour) {
    ScopedGdiObject pen(CreatePen(PS_SOLID, 1, colour));
    ScopedSelect p(dc, pen.Get());
    ScopedSelect b(dc, GetStockObject(NULL_BRUSH));
    for (int r = from; r <= to; r += step) Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
}

}  // namespace

bool ShowsFocus(const DRAWITEMSTRUCT& item) {
    return (item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0;
}

void DrawFocusCue(const DRAWITEMSTRUCT& item, int inset) {
    if (!ShowsFocus(item)) return;
    RECT r = item.rcItem;
    InflateRect(&r, -inset, -inset);
    // White dots: the faces are dark, and the system's inverted dots nearly vanish on them.
    ScopedGdiObject pen(CreatePen(PS_DOT, 1, kWhite));
    ScopedSelect selectPen(item.hDC, pen.Get());
    ScopedSelect selectBrush(item.hDC, GetStockObject(NULL_BRUSH));
    const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    Rectangle(item.hDC, r.left, r.top, r.right, r.bottom);
    SetBkMode(item.hDC, oldMode);
}

ScopedGdiObject CreateUiFont(int designHeight, bool bold) {
    return ScopedGdiObject(CreateFontA(-Scale(designHeight), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
}

ScopedGdiObject RenderPicture(PictureFunction paint, int width, int height) {
    ScopedWindowDc screen(nullptr);
    ScopedGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    ScopedCreatedDc memory(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !memory) return bitmap;
    ScopedSelect select(memory.Get(), bitmap.Get());
    paint(memory.Get(), RECT{0, 0, width, height});
    return bitmap;
}

void DrawPicture(HDC dc, HGDIOBJ bitmap, int width, int height) {
    ScopedCreatedDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    ScopedSelect select(memory.Get(), bitmap);
    BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void PaintWithPicture(HWND window, HGDIOBJ bitmap, int width, int height) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    DrawPicture(dc, bitmap, width, height);
    EndPaint(window, &ps);
}

void ShowHandPointer() {
    SetCursor(LoadCursor(nullptr, IDC_HAND));
}

void PaintMainBackground(HDC dc, const RECT& area) {
    FillGradient(dc, area, RGB(24, 30, 38), RGB(5, 6, 8));
    // Title band with the logo and the name.
    RECT band{area.left, area.top, area.right, area.top + Scale(34)};
    FillGradient(dc, band, RGB(30, 44, 56), RGB(12, 16, 20));
    FillSolid(dc, RECT{band.left, band.bottom - Scale(2), band.right, band.bottom}, kAccentColour);
    DrawEye(dc, area.left + Scale(24), area.top + Scale(16), Scale(14), Scale(2));
    ScopedGdiObject title(CreateTitleFont(Scale(18)));
    ScopedGdiObject small(CreateTitleFont(Scale(10), FW_NORMAL));
    DrawTextIn(dc, "LURKMARK", RECT{Scale(48), Scale(4), Scale(260), Scale(26)}, kWhite, title.Get(),
               DT_LEFT | DT_SINGLELINE | DT_VCENTER, Scale(2));
    DrawTextIn(dc, "PREY BENCHMARK", RECT{Scale(190), Scale(9), Scale(420), Scale(26)}, RGB(120, 150, 170),
               small.Get(), DT_LEFT | DT_SINGLELINE | DT_VCENTER, Scale(1));
    // Faint scan lines behind the left column.
    ScopedGdiObject pen(CreatePen(PS_SOLID, 1, RGB(28, 36, 44)));
    ScopedSelect p(dc, pen.Get());
    for (int y = band.bottom + Scale(6); y < area.bottom - Scale(4); y += Scale(4)) {
        MoveToEx(dc, area.left + Scale(4), y, nullptr);
        LineTo(dc, area.left + Scale(154), y);
    }
    FrameSolid(dc, area, RGB(54, 80, 98), 1);
}

void PaintSplash(HDC dc, const RECT& area) {
    FillGradient(dc, area, RGB(20, 28, 36), RGB(3, 4, 6));
    const int cx = (area.left + area.right) / 2;
    const int cy = area.top + Scale(215);
    DrawRings(dc, cx, cy, Scale(120), Scale(420), Scale(40), RGB(24, 38, 48));
    DrawEye(dc, cx, cy, Scale(110), Scale(6));
    ScopedGdiObject title(CreateTitleFont(Scale(64)));
    ScopedGdiObject subtitle(CreateTitleFont(Scale(20), FW_NORMAL));
    ScopedGdiObject small(CreateTitleFont(Scale(13), FW_NORMAL));
    DrawTextIn(dc, "LURKMARK", RECT{area.left, area.top + Scale(330), area.right, area.top + Scale(410)}, kWhite,
               title.Get(), DT_CENTER | DT_SINGLELINE | DT_VCENTER, Scale(8));
    DrawTextIn(dc, "The benchmark for Prey", RECT{area.left, area.top + Scale(410), area.right, area.top + Scale(440)},
               kAccentColour, subtitle.Get(), DT_CENTER | DT_SINGLELINE | DT_VCENTER, Scale(2));
    FillSolid(dc, RECT{cx - Scale(160), area.top + Scale(452), cx + Scale(160), area.top + Scale(454)}, kAccentColour);
    DrawTextIn(dc, "Quenwick", RECT{area.left + Scale(24), area.bottom - Scale(40), area.right, area.bottom - Scale(16)},
               kSilver, small.Get(), DT_LEFT | DT_SINGLELINE | DT_VCENTER, Scale(1));
    DrawTextIn(dc, "Loading...", RECT{area.left, area.bottom - Scale(40), area.right - Scale(24), area.bottom - Scale(16)},
               kSilver, small.Get(), DT_RIGHT | DT_SINGLELINE | DT_VCENTER, Scale(1));
    FrameSolid(dc, area, kAccentColour, Scale(2));
}

void PaintPickerBackground(HDC dc, const RECT& area) {
    FillGradient(dc, area, RGB(26, 34, 44), RGB(5, 6, 8));
    RECT band{area.left, area.top, area.right, area.top + Scale(30)};
    FillGradient(dc, band, RGB(30, 44, 56), RGB(12, 16, 20));
    FillSolid(dc, RECT{band.left, band.bottom - Scale(2), band.right, band.bottom}, kAccentColour);
    ScopedGdiObject title(CreateTitleFont(Scale(13)));
    DrawTextIn(dc, "Possibilities", RECT{Scale(10), 0, area.right - Scale(30), band.bottom - Scale(2)}, kWhite,
               title.Get(), DT_LEFT | DT_SINGLELINE | DT_VCENTER, Scale(1));
    ScopedGdiObject small(CreateTitleFont(Scale(11), FW_NORMAL));
    DrawTextIn(dc, "Screen sizes your display offers", RECT{Scale(10), Scale(34), area.right, Scale(50)},
               RGB(120, 150, 170), small.Get(), DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    FrameSolid(dc, area, RGB(54, 80, 98), 1);
}

void PaintWaitBackground(HDC dc, const RECT& area) {
    FillGradient(dc, area, RGB(30, 40, 50), RGB(8, 10, 12));
    FrameSolid(dc, area, kAccentColour, 1);
    DrawEye(dc, area.left + Scale(26), (area.top + area.bottom) / 2, Scale(13), Scale(2));
    ScopedGdiObject font(CreateTitleFont(Scale(14)));
    DrawTextIn(dc, "Please wait...", RECT{area.left + Scale(50), area.top, area.right, area.bottom}, kWhite,
               font.Get(), DT_LEFT | DT_SINGLELINE | DT_VCENTER, Scale(1));
}

void PaintLogo(HDC dc, const RECT& area) {
    FillSolid(dc, area, kPageBlack);
    const int cx = (area.left + area.right) / 2;
    const int cy = area.top + (area.bottom - area.top) * 36 / 100;
    DrawRings(dc, cx, cy, Scale(34), Scale(46), Scale(12), RGB(24, 38, 48));
    DrawEye(dc, cx, cy, Scale(34), Scale(3));
    ScopedGdiObject title(CreateTitleFont(Scale(24)));
    DrawTextIn(dc, "LURKMARK", RECT{area.left, cy + Scale(40), area.right, area.bottom}, kWhite, title.Get(),
               DT_CENTER | DT_SINGLELINE | DT_VCENTER, Scale(4));
}

void PaintUpdateSidePicture(HDC dc, const RECT& area) {
    FillGradient(dc, area, RGB(30, 44, 56), RGB(5, 6, 8));
    FrameSolid(dc, area, RGB(70, 96, 114), 1);
    const int cx = (area.left + area.right) / 2;
    const int cy = area.top + (area.bottom - area.top) * 30 / 100;
    DrawRings(dc, cx, cy, Scale(26), Scale(50), Scale(12), RGB(34, 52, 64));
    DrawEye(dc, cx, cy, Scale(26), Scale(2));
    ScopedGdiObject title(CreateTitleFont(Scale(14)));
    ScopedGdiObject small(CreateTitleFont(Scale(10), FW_NORMAL));
    DrawTextIn(dc, "LURKMARK", RECT{area.left, cy + Scale(58), area.right, cy + Scale(78)}, kWhite, title.Get(),
               DT_CENTER | DT_SINGLELINE | DT_VCENTER, Scale(2));
    DrawTextIn(dc, "update", RECT{area.left, cy + Scale(78), area.right, cy + Scale(94)}, kAccentColour, small.Get(),
               DT_CENTER | DT_SINGLELINE | DT_VCENTER, Scale(3));
}

void PaintRunButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    FillSolid(dc, r, RGB(8, 10, 12));
    RECT face{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (disabled) {
        FillGradient(dc, face, RGB(60, 64, 68), RGB(34, 36, 40));
    } else if (down) {
        FillGradient(dc, face, RGB(20, 66, 88), RGB(40, 110, 140));
    } else {
        FillGradient(dc, face, RGB(96, 176, 212), RGB(26, 80, 106));
    }
    FrameSolid(dc, face, disabled ? RGB(80, 84, 88) : (down ? RGB(30, 90, 118) : RGB(140, 200, 228)), 1);
    const int shift = down ? Scale(1) : 0;
    // The play triangle beside the caption.
    const int h = (r.bottom - r.top) * 36 / 100;
    const int tx = r.left + Scale(26) + shift;
    const int ty = (r.top + r.bottom) / 2 + shift;
    POINT triangle[3] = {{tx, ty - h / 2}, {tx, ty + h / 2}, {tx + h * 9 / 10, ty}};
    ScopedGdiObject brush(CreateSolidBrush(disabled ? RGB(120, 124, 128) : kWhite));
    {
        ScopedSelect b(dc, brush.Get());
        ScopedSelect p(dc, GetStockObject(NULL_PEN));
        Polygon(dc, triangle, 3);
    }
    ScopedGdiObject font(CreateTitleFont(Scale(16)));
    RECT text{tx + h + Scale(6), r.top + shift, r.right, r.bottom + shift};
    DrawTextIn(dc, "RUN", text, disabled ? RGB(120, 124, 128) : kWhite, font.Get(), DT_LEFT | DT_SINGLELINE | DT_VCENTER,
               Scale(3));
    // The one button that starts a pass shows its focus plainly: a white frame inside it.
    if (ShowsFocus(item)) {
        const int in = Scale(3);
        FrameSolid(dc, RECT{r.left + in, r.top + in, r.right - in, r.bottom - in}, kWhite, Scale(2));
    }
}

void PaintWindowGlyph(const DRAWITEMSTRUCT& item, bool exitGlyph) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    FillSolid(dc, r, down ? RGB(40, 60, 74) : RGB(18, 24, 30));
    // Too small for a dotted rectangle: the focused picture has a bright frame.
    FrameSolid(dc, r, ShowsFocus(item) ? kWhite : RGB(70, 100, 120), ShowsFocus(item) ? Scale(2) : 1);
    ScopedGdiObject pen(CreatePen(PS_SOLID, Scale(2), exitGlyph ? RGB(220, 90, 80) : kSilver));
    ScopedSelect p(dc, pen.Get());
    const int m = (r.right - r.left) * 30 / 100;
    if (exitGlyph) {
        MoveToEx(dc, r.left + m, r.top + m, nullptr);
        LineTo(dc, r.right - m, r.bottom - m);
        MoveToEx(dc, r.right - m - 1, r.top + m, nullptr);
        LineTo(dc, r.left + m - 1, r.bottom - m);
    } else {
        const int y = r.bottom - m - 1;
        MoveToEx(dc, r.left + m, y, nullptr);
        LineTo(dc, r.right - m, y);
    }
}

void PaintDarkButton(const DRAWITEMSTRUCT& item, const char* face) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    if (disabled) {
        FillSolid(dc, r, RGB(30, 32, 34));
    } else {
        FillGradient(dc, r, down ? RGB(24, 40, 50) : RGB(58, 74, 88), down ? RGB(40, 70, 88) : RGB(26, 32, 40));
    }
    FrameSolid(dc, r, disabled ? RGB(60, 62, 64) : (item.itemState & ODS_FOCUS ? kAccentColour : RGB(90, 110, 126)), 1);
    DrawFocusCue(item, Scale(2));
    char text[128] = {};
    if (face) {
        lstrcpynA(text, face, sizeof text);
    } else {
        GetWindowTextA(item.hwndItem, text, sizeof text);
    }
    RECT textRect = r;
    if (down) OffsetRect(&textRect, 1, 1);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
    const UINT underline = item.itemState & ODS_NOACCEL ? DT_HIDEPREFIX : 0;  // until Alt is pressed
    DrawTextIn(dc, text, textRect, disabled ? RGB(100, 100, 100) : kWhite, font,
               DT_CENTER | DT_SINGLELINE | DT_VCENTER | kShowPrefix | underline);
}
