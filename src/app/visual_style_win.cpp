#include "app/visual_style_win.h"

#include <uxtheme.h>

void DrawWithoutVisualStyle(HWND control) {
    // A blank matches no theme class: the documented way to switch visual styles off for one
    // window. Without common controls 6 this changes nothing.
    SetWindowTheme(control, L" ", L" ");
}
