#include "frame_pacing.h"

#include <cstdlib>
#include <vector>

namespace {

// The numbers after the form's name, each a whole field; false for a field that is not one.
bool Numbers(const std::string& text, std::vector<double>& numbers) {
    std::size_t at = text.find(':');
    while (at != std::string::npos) {
        const std::size_t end = text.find(':', at + 1);
        const std::string field = text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        char* rest = nullptr;
        const double value = std::strtod(field.c_str(), &rest);
        if (field.empty() || *rest != '\0' || !(value >= 0)) return false;
        numbers.push_back(value);
        at = end;
    }
    return true;
}

}  // namespace

bool ParsePacing(const std::string& text, FramePacing& pacing) {
    const std::string form = text.substr(0, text.find(':'));
    std::vector<double> n;
    if (!Numbers(text, n) || n.empty() || n[0] <= 0) return false;
    FramePacing p;
    p.frameMs = n[0];
    if (form == "steady" && n.size() == 1) {
    } else if (form == "spikes" && n.size() == 3 && n[2] >= 1) {
        p.longMs = n[1];
        p.every = static_cast<long>(n[2]);
    } else if (form == "slow" && n.size() == 4 && n[2] >= 1) {
        p.longMs = n[1];
        p.slowFirst = static_cast<long>(n[2]);
        p.slowCount = static_cast<long>(n[3]);
    } else {
        return false;
    }
    pacing = p;
    return true;
}

double FrameMilliseconds(const FramePacing& pacing, long frame) {
    const bool spike = pacing.every > 0 && frame % pacing.every == 0;
    const bool slow = pacing.slowCount > 0 && frame >= pacing.slowFirst && frame < pacing.slowFirst + pacing.slowCount;
    return spike || slow ? pacing.longMs : pacing.frameMs;
}
