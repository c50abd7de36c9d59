#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "results/pass_history.h"

// What the results window keeps in the settings key: its place and size ("ResultsWindow")
// and the width of each column ("ResultsColumns"). Both are read back with care: a value
// another program wrote, or one from a larger screen, must not make the window unusable.

constexpr const char* kResultsWindowValue = "ResultsWindow";
constexpr const char* kResultsColumnsValue = "ResultsColumns";

// The window's restored rectangle in screen pixels, and whether it was maximised.
struct ResultsWindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximised = false;
};
constexpr int kResultsWindowMinWidth = 360;
constexpr int kResultsWindowMinHeight = 240;

// "left,top,width,height,maximised", such as "120,80,900,600,0".
std::string EncodeWindowBounds(const ResultsWindowBounds& bounds);
// Nothing for a value that is not five whole numbers, or a size below the least one.
std::optional<ResultsWindowBounds> DecodeWindowBounds(const std::string& text);

// A column's name in the stored widths: "flag", "date", "computer", "note", "demo", "shader",
// "runs", or "score:" or "low1:" (the 1 % low beside the score) and the resolution key, so
// that a width stays with its column whatever resolutions the folder holds.
std::string ColumnName(const HistoryColumn& column);
// The width a column has until the user changes it, in design pixels at 96 DPI.
int DefaultColumnWidth(const HistoryColumn& column);

// Widths that fit `room` where they can: a column wider than its least width gives way, the
// widest first, down to that least. Too little room even then: the list scrolls.
std::vector<int> FitColumnsToRoom(std::vector<int> wanted, const std::vector<int>& least, int room);
// Whether the column may be narrower than its content when room is short: texts such as the
// note and the computer may; flags, dates and scores keep their whole width.
bool MayGiveWay(const HistoryColumn& column);

// "name=width;name=width": widths in design pixels at 96 DPI.
std::string EncodeColumnWidths(const std::map<std::string, int>& widths);
// Widths of 0 to 2000 by name; items of another form are passed over.
std::map<std::string, int> DecodeColumnWidths(const std::string& text);
