#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>

// One fixed benchmark resolution. Texts are code page 1252; "\xD7" is the multiplication sign.
struct ResolutionEntry {
    const char* key;       // registry value name, CurrentRunKey, report
    const char* token;     // batch switch token
    int width;
    int height;
    const char* item;      // window item
    const char* caption;   // progress caption
    const char* label;     // report label
};

constexpr std::size_t kResolutionCount = 9;

// Index = position of the item in the window's resolution check group.
extern const std::array<ResolutionEntry, kResolutionCount> ResolutionTable;

// The custom slot: its size is the text of the custom width and height fields, unparsed.
constexpr const char* kCustomRunKey = "custom";
// A place in the run order: the fixed entries by their index, then the custom slot.
using ResolutionPosition = std::size_t;
constexpr ResolutionPosition kCustomPosition = kResolutionCount;
// The key of a position (kCustomRunKey for the custom slot; empty past it), and back (none
// when no position has the key).
std::string RunKey(ResolutionPosition position);
std::optional<ResolutionPosition> PositionOfKey(const std::string& key);
std::string CustomCaption(const std::string& width, const std::string& height);  // progress caption
std::string CustomLabel(const std::string& width, const std::string& height);    // report label

// "{W} x {H}" as the display mode list spells a screen size.
std::string DisplayModeText(int width, int height);
std::string DisplayModeText(const std::string& width, const std::string& height);
