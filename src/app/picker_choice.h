#pragma once
#include <optional>
#include <string>
#include <vector>

// One entry of the picker's check list: a "{W} x {H}" text and its check mark.
struct PickerEntry {
    std::string text;
    bool checked = false;
};

struct ScreenSize {
    std::string width;
    std::string height;
};

// The size of the first checked entry: the text before the first " x " is the width, the
// text after it the height. Nothing when no entry is checked.
std::optional<ScreenSize> FirstCheckedSize(const std::vector<PickerEntry>& entries);
