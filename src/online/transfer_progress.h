#pragma once
#include <cstdint>

// The figures of one progress report of a transfer.
struct TransferProgress {
    std::int64_t bytesReceived = 0;
    std::int64_t contentLength = 0;  // 0 when the response announced none
    int percent = 0;                 // of the content length, rounded
    int elapsedSeconds = 0;          // whole seconds since the transfer started
    int secondsLeft = 0;             // estimate
    double kilobytesPerSecond = 0;   // the kilobytes received while under one second has passed
};

// Without a content length (or before the first byte) percentage and estimate are 0, and
// an estimate never goes below 0.
TransferProgress ComputeProgress(std::int64_t bytesReceived, std::int64_t contentLength, std::uint32_t elapsedMs);
