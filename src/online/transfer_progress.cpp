#include "online/transfer_progress.h"

#include <cmath>

TransferProgress ComputeProgress(std::int64_t bytesReceived, std::int64_t contentLength, std::uint32_t elapsedMs) {
    TransferProgress p;
    p.bytesReceived = bytesReceived;
    p.contentLength = contentLength;
    p.elapsedSeconds = static_cast<int>(elapsedMs / 1000);
    if (contentLength > 0) {
        p.percent = static_cast<int>(std::llround(static_cast<double>(bytesReceived) * 100.0 / contentLength));
    }
    if (contentLength > 0 && bytesReceived > 0) {
        const double total = static_cast<double>(contentLength) / bytesReceived * p.elapsedSeconds;
        const long long left = std::llround(total) - p.elapsedSeconds;
        p.secondsLeft = left > 0 ? static_cast<int>(left) : 0;
    }
    const double kilobytes = bytesReceived / 1024.0;
    p.kilobytesPerSecond = p.elapsedSeconds > 0 ? kilobytes / p.elapsedSeconds : kilobytes;
    return p;
}
