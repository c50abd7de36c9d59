#include "online/download_progress.h"

#include <cmath>

#include "online/update_texts.h"

DownloadProgress ComputeDownloadProgress(int index, int fileCount, long long received, long long contentLength,
                                         long long elapsedSeconds, const std::string& decimalSeparator) {
    DownloadProgress p;
    // Without an announced length (or before the first byte) there is no share and no
    // estimate to show; the bars and the time left stay at zero.
    const bool known = contentLength > 0 && received > 0;
    if (known) p.filePercent = static_cast<int>(std::lround(received * 100.0 / contentLength));
    if (fileCount > 0) {
        p.allPercent = static_cast<int>(std::lround(index * 100.0 / fileCount)) + p.filePercent / fileCount;
    }
    const double kilobytes = received / 1024.0;
    p.rateLine = TransferRateLine(elapsedSeconds > 0 ? kilobytes / elapsedSeconds : kilobytes, decimalSeparator);
    long long left = 0;
    if (known) left = std::llround(static_cast<double>(contentLength) / received * elapsedSeconds) - elapsedSeconds;
    p.timeLeftLine = TimeLeftLine(left);
    return p;
}
