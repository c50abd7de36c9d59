#include "results/run_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const char kWindowMarker[] = "created window @ ";
const char kFramesMarker[] = " frames rendered in ";
const char kSecondsMarker[] = " seconds = ";
const char kFpsMarker[] = " fps";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an unsigned decimal number at `at`, moving past it; false when there is none.
bool ReadNumber(const std::string& text, std::size_t& at, long& value) {
    const std::size_t start = at;
    value = 0;
    while (at < text.size() && IsDigit(text[at]) && at - start < 9) value = value * 10 + (text[at++] - '0');
    return at > start && (at >= text.size() || !IsDigit(text[at]));
}

bool Expect(const std::string& text, std::size_t& at, const std::string& what) {
    if (text.compare(at, what.size(), what) != 0) return false;
    at += what.size();
    return true;
}

// "X,Y (WxH)" after the marker; negative positions occur on a second monitor.
std::optional<std::pair<int, int>> WindowAt(const std::string& text, std::size_t at) {
    long x = 0, y = 0, w = 0, h = 0;
    if (at < text.size() && text[at] == '-') ++at;
    if (!ReadNumber(text, at, x) || !Expect(text, at, ",")) return std::nullopt;
    if (at < text.size() && text[at] == '-') ++at;
    if (!ReadNumber(text, at, y) || !Expect(text, at, " (")) return std::nullopt;
    if (!ReadNumber(text, at, w) || !Expect(text, at, "x") || !ReadNumber(text, at, h) || !Expect(text, at, ")")) {
        return std::nullopt;
    }
    return std::make_pair(static_cast<int>(w), static_cast<int>(h));
}

// A figure as printed: digits with at most one point.
bool IsFigure(const std::string& text) {
    const bool allowed = std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; });
    return allowed && std::count(text.begin(), text.end(), '.') <= 1 && std::any_of(text.begin(), text.end(), IsDigit);
}

// Half a unit of the figure's last printed place: the most its rounding can have moved it.
double RoundingOf(const std::string& figure) {
    const std::size_t point = figure.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : figure.size() - point - 1;
    return 0.5 * std::pow(10.0, -static_cast<double>(decimals));
}

void ReadFramesLine(const std::string& text, RunEvidence& evidence) {
    const std::size_t marker = text.find(kFramesMarker);
    if (marker == std::string::npos) return;
    std::size_t start = marker;
    while (start > 0 && IsDigit(text[start - 1])) --start;
    if (start == marker || marker - start > 9) return;
    std::size_t at = start;
    long frames = 0;
    if (!ReadNumber(text, at, frames)) return;
    at = marker + sizeof kFramesMarker - 1;
    const std::size_t secondsEnd = text.find(kSecondsMarker, at);
    if (secondsEnd == std::string::npos || secondsEnd - at > 16) return;
    const std::string seconds = text.substr(at, secondsEnd - at);
    at = secondsEnd + sizeof kSecondsMarker - 1;
    const std::size_t fpsEnd = text.find(kFpsMarker, at);
    if (fpsEnd == std::string::npos || fpsEnd - at > 16) return;
    const std::string fps = text.substr(at, fpsEnd - at);
    if (!IsFigure(seconds) || !IsFigure(fps)) return;
    evidence.frames = frames;
    evidence.secondsText = seconds;
    evidence.fpsText = fps;
}

}  // namespace

RunEvidence ReadRunEvidence(const std::string& logText) {
    RunEvidence evidence;
    for (std::size_t at = logText.find(kWindowMarker); at != std::string::npos;
         at = logText.find(kWindowMarker, at + 1)) {
        if (auto window = WindowAt(logText, at + sizeof kWindowMarker - 1)) evidence.window = window;
    }
    ReadFramesLine(logText, evidence);
    return evidence;
}

std::vector<RunFlag> WindowSizeFlags(const RunEvidence& evidence, int askedWidth, int askedHeight) {
    if (!evidence.window) return {};
    const auto [width, height] = *evidence.window;
    if (width == askedWidth && height == askedHeight) return {};
    return {{"windowSize", "The game ran at " + std::to_string(width) + "\xD7" + std::to_string(height) +
                               ", not at the resolution asked."}};
}

std::vector<RunFlag> InconsistentLogFlags(const RunEvidence& evidence) {
    if (!evidence.frames) return {};
    const double frames = static_cast<double>(*evidence.frames);
    const double seconds = std::atof(evidence.secondsText.c_str());
    const double fps = std::atof(evidence.fpsText.c_str());
    const double secondsSlack = RoundingOf(evidence.secondsText);
    const double fpsSlack = RoundingOf(evidence.fpsText);
    // The true rate lies between N over the largest and N over the smallest time the printed
    // S stands for; a tiny margin keeps binary fractions from flagging an exact figure.
    const double margin = 1e-9 * std::max(1.0, fps);
    const double lowest = frames / (seconds + secondsSlack);
    const bool tooLow = fps + fpsSlack + margin < lowest;
    const bool tooHigh = seconds - secondsSlack > 0 && fps - fpsSlack - margin > frames / (seconds - secondsSlack);
    if (!tooLow && !tooHigh) return {};
    return {{"inconsistentLog", "The console log is inconsistent: " + std::to_string(*evidence.frames) +
                                    " frames in " + evidence.secondsText + " seconds is not " + evidence.fpsText +
                                    " fps."}};
}

std::vector<RunFlag> ShortDemoFlags(const RunEvidence& evidence, const std::vector<long>& otherFrames) {
    if (!evidence.frames || otherFrames.empty()) return {};
    const long most = *std::max_element(otherFrames.begin(), otherFrames.end());
    if (*evidence.frames >= most) return {};
    return {{"shortDemo", "The demo did not play whole: " + std::to_string(*evidence.frames) +
                              " frames where the other runs rendered " + std::to_string(most) + "."}};
}
