#include "domain/resolution_table.h"

const std::array<ResolutionEntry, kResolutionCount> ResolutionTable = {{
    {"640", "640", 640, 480, "640 \xD7 480", "Resolution: 640 \xD7 480...", "640\xD7" "480"},
    {"800", "800", 800, 600, "800 \xD7 600", "Resolution: 800 \xD7 600...", "800\xD7" "600"},
    {"1024", "1024", 1024, 768, "1024 \xD7 768", "Resolution: 1024 \xD7 768...", "1024\xD7" "768"},
    {"1280", "1280", 1280, 1024, "1280 \xD7 1024", "Resolution: 1280 \xD7 1024...", "1280\xD7" "1024"},
    {"1600", "1600", 1600, 1200, "1600 \xD7 1200", "Resolution: 1600 \xD7 1200...", "1600\xD7" "1200"},
    {"2048", "2048", 2048, 1536, "2048 \xD7 1536", "Resolution: 2048 \xD7 1536...", "2048\xD7" "1536"},
    {"hdw1", "HDW1", 1280, 768, "1280 \xD7 768", "Resolution: 1280 \xD7 768...", "1280\xD7" "768 (HD WideScreen)"},
    {"hdw2", "HDW2", 1920, 1080, "1920 \xD7 1080", "Resolution: 1920 \xD7 1080...", "1920\xD7" "1080 (HD WideScreen)"},
    {"hdw3", "HDW3", 1920, 1200, "1920 \xD7 1200", "Resolution: 1920 \xD7 1200...", "1920\xD7" "1200 (HD WideScreen)"},
}};

std::string RunKey(ResolutionPosition position) {
    if (position == kCustomPosition) return kCustomRunKey;
    if (position > kCustomPosition) return "";
    return ResolutionTable[position].key;
}

std::optional<ResolutionPosition> PositionOfKey(const std::string& key) {
    if (key == kCustomRunKey) return kCustomPosition;
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        if (key == ResolutionTable[i].key) return i;
    }
    return std::nullopt;
}

std::string CustomLabel(const std::string& width, const std::string& height) {
    return width + " \xD7 " + height + " (Custom)";
}

std::string CustomCaption(const std::string& width, const std::string& height) {
    return "Resolution: " + CustomLabel(width, height) + "...";
}

std::string DisplayModeText(int width, int height) {
    return DisplayModeText(std::to_string(width), std::to_string(height));
}

std::string DisplayModeText(const std::string& width, const std::string& height) {
    return width + " x " + height;
}
