#include "app/visual_style_win.h"

#include <uxtheme.h>

#include "platform/system_library_win.h"

void DrawWithoutVisualStyle(HWND control) {
    // A blank matches no theme class: the documented way to switch visual styles off for one
    // window. Without common controls 6 this changes nothing.
    // uxtheme.dll is not one of Windows' known system libraries: taken from the system folder.
    static const decltype(&SetWindowTheme) setTheme = [] {
        decltype(&SetWindowTheme) function = nullptr;
        const HMODULE library = LoadSystemLibrary("uxtheme.dll");
        return library && FindFunction(library, "SetWindowTheme", function) ? function : nullptr;
    }();
    if (setTheme) setTheme(control, L" ", L" ");
}
