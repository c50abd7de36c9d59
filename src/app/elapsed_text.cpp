#include "app/elapsed_text.h"

namespace {

std::string TwoDigits(unsigned long n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

std::string ElapsedText(unsigned long seconds) {
    const unsigned long hours = seconds / 3600;
    const unsigned long minutes = seconds / 60 % 60;
    std::string text = "Elapsed time: ";
    text += hours > 0 ? std::to_string(hours) + ":" + TwoDigits(minutes) : std::to_string(minutes);
    return text + ":" + TwoDigits(seconds % 60);
}
