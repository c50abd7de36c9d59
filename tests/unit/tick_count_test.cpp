#include "platform/tick_count.h"

#include <gtest/gtest.h>

namespace {

// XP's GetTickCount wraps every 49.7 days; the 64-bit count that stands in for Vista's
// GetTickCount64 must keep rising across the wrap.
TEST(TickCount, ContinuesAcrossTheWrapOfTheThirtyTwoBitCount) {
    const std::uint64_t wrap = std::uint64_t{1} << 32;
    struct {
        std::uint64_t last;
        std::uint32_t now;
        std::uint64_t expected;
    } const cases[] = {
        {0, 0, 0},
        {1000, 1500, 1500},
        {0xFFFFFF00u, 0x10, wrap + 0x10},              // the first wrap
        {3 * wrap + 0xFFFFFFF0u, 5, 4 * wrap + 5},     // a later wrap keeps the earlier ones
        {2 * wrap + 7, 7, 2 * wrap + 7},               // the same moment read again
        {2 * wrap + 7, 0xFFFFFFFFu, 2 * wrap + 0xFFFFFFFFu},
    };
    for (const auto& c : cases) EXPECT_EQ(ContinueTickCount(c.last, c.now), c.expected) << c.last << " " << c.now;
}

}  // namespace
