#pragma once
#include <windows.h>

#include "platform/scoped_win.h"

// The program's own pictures, drawn with GDI at run time at whatever size the DPI asks for,
// so they stay sharp at every display scaling.

constexpr COLORREF kAccentColour = RGB(82, 160, 196);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPageBlack = RGB(0, 0, 0);

// MS Sans Serif (or the system's nearest) with a character height in design pixels.
ScopedGdiObject CreateUiFont(int designHeight, bool bold = false);

// A bitmap the size of a window's client area holding one of the pictures below.
using PictureFunction = void (*)(HDC dc, const RECT& area);
ScopedGdiObject RenderPicture(PictureFunction paint, int width, int height);
// Copies a rendered picture to the DC at (0, 0).
void DrawPicture(HDC dc, HGDIOBJ bitmap, int width, int height);
// Answers WM_PAINT of a window whose client area is one rendered picture.
void PaintWithPicture(HWND window, HGDIOBJ bitmap, int width, int height);
// The hand pointer over controls that act like links and picture buttons.
void ShowHandPointer();

void PaintMainBackground(HDC dc, const RECT& area);    // Image1
void PaintSplash(HDC dc, const RECT& area);            // the about window as splash
void PaintPickerBackground(HDC dc, const RECT& area);  // the resolution picker
void PaintWaitBackground(HDC dc, const RECT& area);    // "Please wait..."
void PaintLogo(HDC dc, const RECT& area);              // Image5
void PaintUpdateSidePicture(HDC dc, const RECT& area); // the update wizard's side picture

// Owner-drawn controls: the Run button, the Minimize/Exit pictures and the dark push buttons.
// Each shows the keyboard focus (unless the system hides focus cues until a key is used).
void PaintRunButton(const DRAWITEMSTRUCT& item);
void PaintWindowGlyph(const DRAWITEMSTRUCT& item, bool exitGlyph);
// face: the caption drawn on the button when it differs from the window text, which is
// the button's accessible name (the browse buttons show "..." and are named "Browse...").
void PaintDarkButton(const DRAWITEMSTRUCT& item, const char* face = nullptr);
// Whether a drawn control shows its focus now, and the dotted white focus rectangle
// `inset` pixels inside it.
bool ShowsFocus(const DRAWITEMSTRUCT& item);
void DrawFocusCue(const DRAWITEMSTRUCT& item, int inset);
