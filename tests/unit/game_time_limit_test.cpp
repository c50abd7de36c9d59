// The game time limit as the settings key, the batch switch and the page carry it.
#include "domain/game_time_limit.h"

#include <gtest/gtest.h>

namespace {

TEST(GameTimeLimit, SwitchTakesTheLastReadableNumberInAnyCase) {
    const struct {
        ArgumentList args;
        std::optional<int> seconds;
    } cases[] = {
        {{"lurk.exe", "/BATCH", "/640"}, std::nullopt},
        {{"lurk.exe", "/LIMIT900"}, 900},
        {{"lurk.exe", "/limit0"}, 0},
        {{"lurk.exe", "/LIMIT900", "/Limit60"}, 60},
        {{"lurk.exe", "/LIMIT60", "/LIMITx", "/LIMIT", "/LIMIT-5"}, 60},
        {{"lurk.exe", "/LIMIT86401"}, std::nullopt},
        {{"lurk.exe", "LIMIT900", "-LIMIT900"}, std::nullopt},
        {{"/LIMIT900"}, std::nullopt},  // the program's own path is no switch
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(ReadTimeLimitSwitch(c.args), c.seconds);
    }
}

TEST(GameTimeLimit, TokenCarriesOnlyALimitOtherThanTheDefault) {
    EXPECT_EQ(TimeLimitToken(1800), "");
    EXPECT_EQ(TimeLimitOfToken(""), 1800);
    for (int seconds : {0, 4, 900, 86400}) {
        EXPECT_EQ(TimeLimitOfToken(TimeLimitToken(seconds)), seconds);
    }
    EXPECT_EQ(TimeLimitToken(900), "LIMIT900");
    EXPECT_EQ(TimeLimitOfToken("LIMITx"), 1800);
    EXPECT_EQ(ReadBatchOptions({"lurk.exe", "/BATCH", "/640", "/LIMIT4"}).timeLimit, "LIMIT4");
    EXPECT_EQ(ReadBatchOptions({"lurk.exe", "/BATCH", "/640", "/LIMIT1800"}).timeLimit, "");
}

TEST(GameTimeLimit, MinutesShownAndTheWordsOfTheReport) {
    const struct {
        int seconds;
        int minutesShown;
        const char* text;
    } cases[] = {{0, 0, "0 minutes"},     {4, 1, "4 seconds"},   {1, 1, "1 second"},
                 {60, 1, "1 minute"},     {61, 2, "61 seconds"}, {1800, 30, "30 minutes"},
                 {86400, 1440, "1440 minutes"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(TimeLimitMinutesShown(c.seconds), c.minutesShown);
        EXPECT_EQ(TimeLimitText(c.seconds), c.text);
    }
    EXPECT_EQ(TimeLimitEndedText(900), "The game did not finish within the time limit of 15 minutes and was ended.");
}

}  // namespace
