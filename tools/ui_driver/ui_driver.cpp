// Drives the running program's main window from outside, for the screenshot script.
//   ui_driver main-rect     waits for the main window; prints its screen rectangle
//   ui_driver page N        shows option page N through the group bar
//   ui_driver picker        opens the resolution picker, checks one size; prints the area
//                           that holds the main window and the picker
//   ui_driver results-window  opens the results window from the Results page; prints its
//                           rectangle
//   ui_driver focus ID      presses Tab until the control with that id has the focus
//   ui_driver exit          closes the picker if open, then presses Exit
// A rectangle is printed as ImageMagick geometry: WxH+X+Y.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "app/control_ids.h"
#include "support/keyboard.h"
#include "support/window_automation.h"

namespace {

void PrintGeometry(RECT r, int margin) {
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left + 2 * margin, r.bottom - r.top + 2 * margin,
                r.left - margin, r.top - margin);
}

RECT WindowArea(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// The group header to open and the item to click for each page.
struct PageRoute {
    int header;
    int item;
};
constexpr PageRoute kRoutes[] = {
    {ctl::RzGroup1, ctl::RzGroup1Items0}, {ctl::RzGroup1, ctl::RzGroup1Items1}, {ctl::RzGroup1, ctl::RzGroup1Items2},
    {ctl::RzGroup3, ctl::RzGroup3Items2}, {ctl::RzGroup3, ctl::RzGroup3Items3}, {ctl::RzGroup1, ctl::RzGroup1Items3},
    {ctl::RzGroup1, ctl::RzGroup1Items4},
};

int Fail(const char* what) {
    std::fprintf(stderr, "ui_driver: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Fail("usage: ui_driver main-rect | page N | results-window | picker | focus ID | exit");
    const std::string command = argv[1];
    HWND main = wt::WaitForWindow(0, "TForm1", 40000);
    if (!main) return Fail("no main window");
    if (command == "main-rect") {
        PrintGeometry(WindowArea(main), 8);
        return 0;
    }
    if (command == "page" && argc > 2) {
        const int page = std::atoi(argv[2]);
        if (page < 0 || page >= static_cast<int>(std::size(kRoutes))) return Fail("no such page");
        HWND item = wt::FindControl(main, kRoutes[page].item);
        if (!IsWindowVisible(item)) wt::Click(wt::FindControl(main, kRoutes[page].header));
        wt::Click(item);
        return 0;
    }
    if (command == "picker") {
        HWND custom = wt::FindControl(main, ctl::cusresbox);
        if (!wt::IsChecked(custom)) wt::Click(custom);
        wt::PostClick(wt::FindControl(main, ctl::CusPossibilities));
        HWND picker = wt::WaitForWindow(0, "TForm3", 10000);
        if (!picker) return Fail("no picker");
        HWND list = wt::FindControl(picker, ctl::RzCheckList1);
        wt::WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) > 0; }, 5000);
        const int index = static_cast<int>(
            SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("1280 x 1024")));
        if (index >= 0) {
            SendMessageA(list, LB_SETCURSEL, index, 0);
            wt::PressSpace(list);
        }
        RECT area = WindowArea(main);
        const RECT pickerArea = WindowArea(picker);
        UnionRect(&area, &area, &pickerArea);
        PrintGeometry(area, 8);
        return 0;
    }
    if (command == "results-window") {
        wt::Click(wt::FindControl(main, ctl::ResultsWindowOpen));
        HWND window = wt::WaitForWindow(0, "TResultsForm", 10000);
        if (!window) return Fail("no results window");
        PrintGeometry(WindowArea(window), 8);
        return 0;
    }
    if (command == "focus" && argc > 2) {
        HWND control = wt::FindControl(main, std::atoi(argv[2]));
        if (!control) return Fail("no such control");
        for (int tab = 0; tab < 60 && wt::FocusIn(main) != control; ++tab) {
            const HWND before = wt::FocusIn(main);
            wt::PressKey(main, VK_TAB);
            wt::WaitUntil([&] { return wt::FocusIn(main) != before; }, 2000);
        }
        return wt::FocusIn(main) == control ? 0 : Fail("the focus never came");
    }
    if (command == "exit") {
        if (HWND picker = wt::WaitForWindow(0, "TForm3", 0)) wt::Click(wt::FindControl(picker, ctl::PickerClose));
        wt::WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, 5000);
        wt::Click(wt::FindControl(main, ctl::Image2));
        return 0;
    }
    return Fail("unknown command");
}
