#include "online/version_compare.h"

#include <gtest/gtest.h>

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(CompareVersionsByNumber, NumbersPartByPartElseTheWholeTexts) {
    struct Case {
        const char* offered;
        const char* own;
        int expected;
    } cases[] = {
        {"1.10", "1.9", 1},        // by number, not by text
        {"1.9", "1.10", -1},
        {"1.1", "1.1.0", 0},       // a missing part is 0
        {"1.1.0.0", "1.1", 0},
        {"2", "1.9.9.9", 1},
        {"1.1b", "1.1", 1},        // not a number: the longer text that begins with the other
        {"1.1", "1.1b", -1},
        {"1.1B", "1.1b", -1},      // by character code: capitals come first
        {"1.2a", "1.10", 1},       // text comparison: '2' > '1'
        {"1.0", "", 1},            // an empty own version is always older
        {"", "", 0},
        {"1..2", "1.0.2", -1},     // an empty part is not a number: '.' < '0'
        {"01.2", "1.2", 0},
        {"1.2.3.4.5", "1.2.3.4", 0},             // only four parts count
        {"1.99999999999999999999", "1.2", 1},  // no overflow on long parts
        {"1.-1", "1.0", -1},                     // a sign is not a decimal number
        {"1.\xE9", "1.z", 1},                    // codes above 127 are higher
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sign(CompareVersionsByNumber(c.offered, c.own)), c.expected) << c.offered << " vs " << c.own;
    }
}

}  // namespace
