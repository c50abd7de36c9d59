#include "app/elapsed_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ElapsedText, MinutesAndSecondsThenHours) {
    const struct {
        unsigned long seconds;
        const char* text;
    } cases[] = {
        {0, "Elapsed time: 0:00"},     {7, "Elapsed time: 0:07"},      {60, "Elapsed time: 1:00"},
        {754, "Elapsed time: 12:34"},  {3599, "Elapsed time: 59:59"},  {3600, "Elapsed time: 1:00:00"},
        {3723, "Elapsed time: 1:02:03"}, {90061, "Elapsed time: 25:01:01"},
    };
    for (const auto& c : cases) EXPECT_EQ(ElapsedText(c.seconds), c.text) << c.seconds;
}

}  // namespace
