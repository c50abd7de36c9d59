// Which capture files the frame recorder maps, and how much of them.
#include "recorder/capture_mapping.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Header(std::uint32_t capacity) {
    std::string header(kFrameCaptureHeaderBytes, '\0');
    std::memcpy(&header[0], kFrameCaptureMagic, 8);
    for (int i = 0; i < 4; ++i) header[8 + i] = static_cast<char>(capacity >> (8 * i));
    return header;
}

TEST(CaptureMapping, MapsTheHeaderAndTheStampsOfAFileLargeEnoughAndNothingElse) {
    std::string otherMagic = Header(10);
    otherMagic[7] = 'x';
    const std::uint64_t of4Gb = 0xFFFFFFFFull;  // the largest view of a 32-bit process
    struct Case {
        const char* what;
        std::string header;
        std::uint64_t fileBytes;
        std::uint64_t largestView;
        std::uint64_t mapped;
    } const cases[] = {
        {"exactly its size", Header(10), 112, of4Gb, 112},
        {"a longer file: the stamps alone", Header(10), 5000, of4Gb, 112},
        {"the program's 8 MB file", Header(kFrameCaptureCapacity), kFrameCaptureFileBytes, of4Gb, kFrameCaptureFileBytes},
        {"no stamps at all", Header(0), 32, of4Gb, 32},
        {"one stamp short", Header(10), 111, of4Gb, 0},
        {"shorter than a header", Header(10), 31, of4Gb, 0},
        {"another magic", otherMagic, 112, of4Gb, 0},
        // In 32 bits 32 + 8 x 0xFFFFFFFF is 24, which a 32-byte file would seem to hold.
        {"a size past 32 bits", Header(0xFFFFFFFFu), 32, of4Gb, 0},
        {"a file larger than a view can be", Header(0x20000000u), 0x100000020ull, of4Gb, 0},
        {"the same file in a 64-bit process", Header(0x20000000u), 0x100000020ull, ~0ull, 0x100000020ull},
    };
    for (const Case& c : cases) {
        const auto* header = reinterpret_cast<const unsigned char*>(c.header.data());
        EXPECT_EQ(FrameCaptureMappedBytes(header, c.fileBytes, c.largestView), c.mapped) << c.what;
    }
}

}  // namespace
