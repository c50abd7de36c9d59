#include "app/picker_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(PickerChoice, TakesTheFirstCheckedEntryInListOrder) {
    const std::vector<PickerEntry> entries = {
        {"800 x 600", false}, {"1024 x 768", true}, {"1280 x 1024", true}};
    const auto size = FirstCheckedSize(entries);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, "1024");
    EXPECT_EQ(size->height, "768");
}

TEST(PickerChoice, NothingCheckedGivesNothing) {
    EXPECT_FALSE(FirstCheckedSize({{"1024 x 768", false}, {"1280 x 1024", false}}).has_value());
    EXPECT_FALSE(FirstCheckedSize({}).has_value());
}

}  // namespace
