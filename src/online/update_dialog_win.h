#pragma once
#include <windows.h>

#include <string>

#include "platform/scoped_win.h"
#include "ui/window_win.h"

// The look the update component's windows share with the rest of the program: a black
// client area with white text, dark push buttons and framed groups, in a captioned window
// that stays on top. Coordinates are design pixels at 96 DPI.
class UpdateDialog : public Window {
public:
    UpdateDialog();

protected:
    bool CreateDialogWindow(const char* className, const char* caption, int clientWidth, int clientHeight,
                            HWND owner);
    HWND AddControl(HWND parent, const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h);
    HWND AddLabel(HWND parent, int id, const std::string& text, int x, int y, int w, int h = 14);
    HWND AddButton(int id, const char* text, int x, int y, int w, int h = 24);
    HWND AddGroup(int id, const char* caption, int x, int y, int w, int h);
    HFONT Font() const { return static_cast<HFONT>(font_.Get()); }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    ScopedGdiObject font_;
    ScopedGdiObject blackBrush_;
};

