#include "app/pointer_leave_win.h"

#include <commctrl.h>

namespace {

struct LeaveWatch {
    HWND area;
    HWND notify;
    int eventId;
};

LRESULT CALLBACK WatchProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* watch = reinterpret_cast<LeaveWatch*>(data);
    switch (msg) {
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_MOUSELEAVE: {
        // Moving onto a child of the area also ends the tracking of the area; only a pointer
        // outside the whole area counts.
        POINT cursor;
        RECT area;
        GetCursorPos(&cursor);
        GetWindowRect(watch->area, &area);
        if (!PtInRect(&area, cursor)) PostMessageA(watch->notify, kPointerLeftMessage, watch->eventId, 0);
        break;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, WatchProcedure, id);
        delete watch;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void WatchPointerLeave(HWND control, HWND area, HWND notify, int eventId) {
    auto* watch = new LeaveWatch{area, notify, eventId};
    // The event id tells apart several watches on one control.
    const auto subclassId = static_cast<UINT_PTR>(eventId);
    if (!SetWindowSubclass(control, WatchProcedure, subclassId, reinterpret_cast<DWORD_PTR>(watch))) delete watch;
}
