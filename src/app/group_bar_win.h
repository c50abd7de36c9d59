#pragma once
#include <string>
#include <vector>

#include "ui/window_win.h"

// RzGroupBar1: black groups in exclusive mode (opening one closes the other), each a header
// and a column of items. A click on an item is passed to the parent as a WM_COMMAND with the
// item's id; the open/closed state is the bar's own and is never stored.
class GroupBar : public Window {
public:
    struct Item {
        int id;
        const char* text;  // "&&" shows one ampersand
    };
    struct Group {
        int headerId;
        const char* caption;
        std::vector<Item> items;
    };

    bool Create(HWND parent, int id, const RECT& rect, HFONT font, std::vector<Group> groups);
    bool IsOpen(std::size_t group) const { return open_[group]; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Toggle(std::size_t group);
    void Arrange();
    void DrawHeader(const DRAWITEMSTRUCT& item, std::size_t group);
    void DrawItem(const DRAWITEMSTRUCT& item);

    std::vector<Group> groups_;
    std::vector<bool> open_;
    std::vector<HWND> headers_;
    std::vector<std::vector<HWND>> items_;
    HFONT font_ = nullptr;
};
