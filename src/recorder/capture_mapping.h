#pragma once
#include <cstdint>

#include "platform/frame_capture_layout.h"

// The recorder's checks of a capture file, header-only: the recorder links no C runtime, and
// the unit tests include them natively.

// The capacity field (offset 8, little-endian) of a header.
constexpr std::uint32_t FrameCaptureCapacity(const unsigned char* header) {
    return std::uint32_t{header[8]} | std::uint32_t{header[9]} << 8 | std::uint32_t{header[10]} << 16 |
           std::uint32_t{header[11]} << 24;
}

// How many bytes of a capture file the recorder maps, or 0 when the file is not one it may
// store into: another magic, a capacity the file is too short for, or more than a view of
// this process can hold (a 32-bit process cannot map a 4 GB view, and truncating the size
// would map less than the stamps it then stores). Checked in 64 bits: 8 x capacity overflows
// 32 bits.
constexpr std::uint64_t FrameCaptureMappedBytes(const unsigned char* header, std::uint64_t fileBytes,
                                                std::uint64_t largestView) {
    if (fileBytes < kFrameCaptureHeaderBytes) return 0;
    for (int i = 0; i < 8; ++i) {
        if (header[i] != static_cast<unsigned char>(kFrameCaptureMagic[i])) return 0;
    }
    const std::uint64_t bytes = kFrameCaptureHeaderBytes + 8 * std::uint64_t{FrameCaptureCapacity(header)};
    return bytes <= fileBytes && bytes <= largestView ? bytes : 0;
}
