#pragma once
// Reading and driving a list view of the program from outside: its item structures must be
// in the program's process, so they are written and read there.
#include <windows.h>

#include <string>
#include <vector>

namespace wt {

int ItemCount(HWND list);
std::string CellText(HWND list, int item, int column);
std::vector<std::string> ColumnTexts(HWND list, int column);
// The column headings, left to right.
std::vector<std::string> ColumnTitles(HWND list);
void SelectOnly(HWND list, const std::vector<int>& items);
// A click on a column header, as the mouse gives it.
void ClickColumn(HWND list, int column);
// The middle of an item, in the list's client coordinates.
LPARAM ItemCentre(HWND list, int item);
int ColumnWidth(HWND list, int column);

}  // namespace wt
