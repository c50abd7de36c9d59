#include "app/middle_ellipsis.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortenInTheMiddle, KeepsTheStartAndMoreOfTheEnd) {
    const std::string path = "C:\\Users\\Public\\Documents\\Lurkmark Results\\New card\\";
    const struct {
        std::size_t room;  // characters that fit
        const char* shown;
    } cases[] = {
        {100, "C:\\Users\\Public\\Documents\\Lurkmark Results\\New card\\"},
        {path.size(), "C:\\Users\\Public\\Documents\\Lurkmark Results\\New card\\"},
        {30, "C:\\Users\\... Results\\New card\\"},
        {12, "C:\\... card\\"},
        {3, "..."},
        {1, "..."},
    };
    for (const auto& c : cases) {
        const std::string shown = ShortenInTheMiddle(path, [&](const std::string& t) { return t.size() <= c.room; });
        EXPECT_EQ(shown, c.shown) << c.room;
        if (c.room >= 3) EXPECT_LE(shown.size(), c.room);
    }
    EXPECT_EQ(ShortenInTheMiddle("", [](const std::string&) { return false; }), "...");
}

}  // namespace
