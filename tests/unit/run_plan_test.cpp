#include "runner/run_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RunPlan : ::testing::Test {
    OptionState options;
    BenchOptions bench;
    bool batchMode = false;

    RunSelection Selection() { return {batchMode, options, bench}; }

    // Every run of the pass as the sequencing seeks them: from 0, then after each run.
    std::vector<std::string> RunOrder() {
        std::vector<std::string> keys;
        for (auto p = NextPlannedRun(Selection(), 0); p; p = NextPlannedRun(Selection(), *p + 1)) {
            keys.push_back(RunKey(*p));
        }
        return keys;
    }
};

TEST_F(RunPlan, CheckedItemsAndCustomSizeRunInTableOrder) {
    options.resolutions[0].checked = true;
    options.resolutions[2].checked = true;
    options.resolutions[8].checked = true;
    options.customOn = true;
    options.customWidth = "1680";
    options.customHeight = "1050";
    EXPECT_EQ(CountPlannedRuns(options), 4);
    EXPECT_EQ(RunOrder(), (std::vector<std::string>{"640", "1024", "hdw3", "custom"}));
}

TEST_F(RunPlan, CustomSizeNeedsTheBoxAndBothTexts) {
    options.resolutions[4].checked = true;
    options.customWidth = "1680";
    options.customHeight = "1050";
    EXPECT_EQ(CountPlannedRuns(options), 1) << "box unchecked";
    options.customOn = true;
    options.customHeight.clear();
    EXPECT_EQ(CountPlannedRuns(options), 1);
    EXPECT_EQ(RunOrder(), std::vector<std::string>{"1600"});
    EXPECT_EQ(NextPlannedRun(Selection(), kCustomPosition), std::nullopt);
}

TEST_F(RunPlan, SearchOnlyMovesForward) {
    options.resolutions[1].checked = true;
    options.resolutions[5].checked = true;
    EXPECT_EQ(NextPlannedRun(Selection(), 2), 5);
    EXPECT_EQ(NextPlannedRun(Selection(), 6), std::nullopt);
    EXPECT_EQ(NextPlannedRun(Selection(), kCustomPosition + 1), std::nullopt);
}

TEST_F(RunPlan, BatchPassRunsOnlyTheTokensEntry) {
    batchMode = true;
    bench.resolution = "HDW2";
    options.resolutions[0].checked = true;
    options.customOn = true;
    options.customWidth = "1680";
    options.customHeight = "1050";
    EXPECT_EQ(RunOrder(), std::vector<std::string>{"hdw2"});
    bench.resolution = "hdw2";
    EXPECT_EQ(RunOrder(), std::vector<std::string>{}) << "tokens are upper case";
}

TEST(RunKeys, KeysAndPositionsMatch) {
    for (ResolutionPosition p = 0; p <= kCustomPosition; ++p) EXPECT_EQ(PositionOfKey(RunKey(p)), p);
    EXPECT_EQ(RunKey(kCustomPosition), kCustomRunKey);
    EXPECT_EQ(RunKey(kCustomPosition + 1), "");
    EXPECT_EQ(PositionOfKey(""), std::nullopt);
    EXPECT_EQ(PositionOfKey("HDW1"), std::nullopt) << "keys are lower case; HDW1 is a token";
}

TEST(CustomSlotTexts, BlanksAroundTheMultiplicationSign) {
    EXPECT_EQ(CustomCaption("1680", "1050"), "Resolution: 1680 \xD7 1050 (Custom)...");
    EXPECT_EQ(CustomLabel("1680", "1050"), "1680 \xD7 1050 (Custom)");
}

}  // namespace
