#pragma once
#include <string>

// The update component's own texts (English), numbered as its dialogs use them. Texts
// with "%" place-holders are filled by the functions below.
constexpr int kUpdateTextCount = 31;
const char* UpdateText(int number);

// What the main window shows for the update events it handles.
constexpr const char* kUpdateAbortedText = "Update aborted.";
constexpr const char* kNoInternetConnectionText = "No internet connection.";
constexpr const char* kCertificateErrorText =
    "The update server's certificate is not trusted: no secure connection was made. Update aborted.";

// Numbers with one decimal use the user's decimal separator.
std::string FileSizeLine(long long contentLength, const std::string& decimalSeparator);     // text 6
std::string TransferRateLine(double kilobytesPerSecond, const std::string& decimalSeparator);  // 7
std::string TimeLeftLine(long long seconds);                                                // 8
std::string DownloadingLine(int number, int count);                                         // 9
std::string UpdateCompletedText(const std::string& title);                                  // 10
// Text 23; a non-empty message stands between two line feeds of its own.
std::string UpgradeQuestionText(const std::string& title, const std::string& message);
// The text with every line break as CR LF, as a multi-line edit field needs it.
std::string WithCrLfBreaks(const std::string& text);
std::string HostUnreachableText(const std::string& host);                                   // 26
std::string LostFileText(const std::string& fileName);                                      // 28
// The upgrader could not be written, checked or started: nothing was started.
std::string HandOverFailedText(const std::string& failure, const std::string& downloadFolder);
// The lost-file question's caption: text 21, and " #" with the HTTP status when there is one.
std::string LostFileCaption(int status);
