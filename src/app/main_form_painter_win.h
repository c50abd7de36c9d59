#pragma once
#include <windows.h>

#include "platform/scoped_win.h"

// The main window's colours and owner-drawn controls: white and silver on the black pages,
// pale yellow path fields, dark buttons.
class MainFormPainter {
public:
    MainFormPainter();

    // The answer to WM_CTLCOLOR*: the brush for the control's background.
    LRESULT ControlColour(UINT msg, HDC dc, HWND control) const;
    void DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    ScopedGdiObject pageBrush_;
    ScopedGdiObject paleYellowBrush_;
    ScopedGdiObject whiteBrush_;
    ScopedGdiObject disabledBrush_;
};
