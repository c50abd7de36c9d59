#pragma once
#include <windows.h>

// One C++ object per window: `this` travels in WM_NCCREATE and every message is handed to
// HandleMessage. An exception escaping a handler is reported there and the program goes on.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    // Registers the class on first use and creates the window with the given client size,
    // centred on the screen (or on `centreOn` when given).
    bool CreateCentred(const char* className, const char* caption, DWORD style, DWORD exStyle, int clientWidth,
                       int clientHeight, HWND owner, HWND centreOn = nullptr);
    // Creates the window as a child control of `parent` at the given device rectangle.
    bool CreateChild(const char* className, HWND parent, int id, const RECT& rect, DWORD style, DWORD exStyle);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static bool RegisterOnce(const char* className);
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// Moves `window` so that it is centred on `other`.
void CentreWindowOn(HWND window, HWND other);
