#include "online/update_texts.h"

#include <cstdio>
#include <initializer_list>
#include <stdexcept>

namespace {

const char* const kTexts[kUpdateTextCount] = {
    "Application update wizard",
    "Downloading files...",
    "Upgrade completed!",
    "Current file",
    "All files",
    "Downloading file from",
    "File size: %.1f Kb",
    "Transfer rate: %.1f Kb/s",
    "Estimated time left: %d:%.2d:%.2d",
    "Downloading %d of %d",
    "The update of %s has been successfully completed.\r\rPress the OK button to restart program.",
    "Enter password",
    "User Name",
    "Password",
    "&Yes",
    "&No",
    "&OK",
    "&Cancel",
    "&Next >",
    "&Later",
    "Warning",
    "Error",
    "Preparing. . .",
    "A newer version of %s was released.\n%s\nDo you want to update your version with the latest one?",
    "Newer version not found. You actually are\rusing most recent version of this program.",
    "File which contains upgrade information was not found on developer's site.",
    "Host %s unreachable.\r\rPlease check your Internet connection and\rtry to upgrade this software again later.",
    "The update is not completed.\rWould you like to abort upgrading?",
    "File %s not found or inaccessible.\r\rTry to skip this file and continue upgrade?",
    "The file %s is protected.\r\rPlease enter your user name and password.",
    "Connection with remote server lost.\r\rPlease restore connection and try to\rupgrade this software again later.",
};

// Replaces the "%s" place-holders of the pattern in order; values are taken as they are.
std::string FillText(const std::string& pattern, std::initializer_list<std::string> values) {
    std::string text;
    std::size_t from = 0;
    for (const std::string& value : values) {
        const std::size_t at = pattern.find("%s", from);
        text += pattern.substr(from, at - from) + value;
        from = at + 2;
    }
    return text + pattern.substr(from);
}

std::string OneDecimal(double value, const std::string& decimalSeparator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    std::string text = buffer;
    const std::size_t dot = text.find('.');
    if (dot != std::string::npos) text.replace(dot, 1, decimalSeparator);
    return text;
}

}  // namespace

const char* UpdateText(int number) {
    if (number < 0 || number >= kUpdateTextCount) throw std::out_of_range("no update text " + std::to_string(number));
    return kTexts[number];
}

std::string FileSizeLine(long long contentLength, const std::string& decimalSeparator) {
    return "File size: " + OneDecimal(static_cast<double>(contentLength) / 1024.0, decimalSeparator) + " Kb";
}

std::string TransferRateLine(double kilobytesPerSecond, const std::string& decimalSeparator) {
    return "Transfer rate: " + OneDecimal(kilobytesPerSecond, decimalSeparator) + " Kb/s";
}

std::string TimeLeftLine(long long seconds) {
    if (seconds < 0) seconds = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, UpdateText(8), static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return buffer;
}

std::string DownloadingLine(int number, int count) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, UpdateText(9), number, count);
    return buffer;
}

std::string UpdateCompletedText(const std::string& title) { return FillText(UpdateText(10), {title}); }

std::string UpgradeQuestionText(const std::string& title, const std::string& message) {
    return FillText(UpdateText(23), {title, message.empty() ? "" : "\n" + message + "\n"});
}

std::string HostUnreachableText(const std::string& host) {
    return FillText(UpdateText(26), {"'http://" + host + "'"});
}

std::string LostFileText(const std::string& fileName) { return FillText(UpdateText(28), {fileName}); }

std::string HandOverFailedText(const std::string& failure, const std::string& downloadFolder) {
    return "The upgrader was not started: " + failure + ".\r\n\r\nLurkmark was not updated. The downloaded files are kept in " +
           downloadFolder + "; press \"Update benchmark\" to try again.";
}

std::string LostFileCaption(int status) {
    return status > 0 ? std::string(UpdateText(21)) + " #" + std::to_string(status) : UpdateText(21);
}

std::string WithCrLfBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}
