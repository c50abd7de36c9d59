#pragma once
#include <string>

// The download wizard's figures after a progress report of the current file.
struct DownloadProgress {
    int filePercent = 0;  // the current file's bar
    int allPercent = 0;   // the all-files bar
    std::string rateLine;
    std::string timeLeftLine;
};

// index counts from 0 among fileCount files; contentLength is 0 when the server sent none.
DownloadProgress ComputeDownloadProgress(int index, int fileCount, long long received, long long contentLength,
                                         long long elapsedSeconds, const std::string& decimalSeparator);
