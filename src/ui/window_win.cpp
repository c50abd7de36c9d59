#include "ui/window_win.h"

#include <exception>

#include "platform/error_report_win.h"
#include "platform/window_class_win.h"

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Window::RegisterOnce(const char* className) {
    return RegisterWindowClassOnce(className, Procedure, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

bool Window::CreateChild(const char* className, HWND parent, int id, const RECT& rect, DWORD style, DWORD exStyle) {
    if (!RegisterOnce(className)) return false;
    return CreateWindowExA(exStyle, className, "", style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), this) != nullptr;
}

bool Window::CreateCentred(const char* className, const char* caption, DWORD style, DWORD exStyle, int clientWidth,
                           int clientHeight, HWND owner, HWND centreOn) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterOnce(className)) return false;
    RECT rect{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT area;
    if (centreOn) {
        GetWindowRect(centreOn, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    return CreateWindowExA(exStyle, className, caption, style, x, y, width, height, owner, nullptr, instance, this) !=
           nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(msg, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
        LRESULT result = self->HandleMessage(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    } catch (const std::exception& e) {
        ReportUnhandledError(hwnd, e);
    } catch (...) {
        ReportUnknownError(hwnd);
    }
    return 0;
}

void CentreWindowOn(HWND window, HWND other) {
    RECT outer;
    RECT own;
    GetWindowRect(other, &outer);
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(window, nullptr, outer.left + (outer.right - outer.left - width) / 2,
                 outer.top + (outer.bottom - outer.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
