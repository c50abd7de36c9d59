#include <gtest/gtest.h>

#include "results/run_statistics.h"

namespace {

// Runs from score texts: "" a run without a score, "w:" before a text the warm-up run.
std::vector<RunRecord> Runs(const std::vector<std::string>& texts) {
    std::vector<RunRecord> runs;
    int number = 1;
    for (const std::string& t : texts) {
        RunRecord run;
        run.warmUp = t.rfind("w:", 0) == 0;
        run.run = run.warmUp ? 0 : number++;
        run.scoreText = run.warmUp ? t.substr(2) : t;
        run.score = ScoreValue(run.scoreText);
        run.ended = run.score ? RunEnd::Scored : RunEnd::NoScore;
        runs.push_back(run);
    }
    return runs;
}

TEST(RunStatistics, MeanSpreadAndTheLineUnderTheScore) {
    struct Case {
        const char* what;
        std::vector<std::string> scores;
        const char* mean;  // "" none
        const char* line;  // the text inside the statistics line
        bool unsteady;
    };
    const Case cases[] = {
        {"single run", {"178.1"}, "178.1", "Runs: 178.1; mean 178.1, min 178.1, max 178.1", false},
        {"all runs unscored", {"", "nan", ""}, "",
         "Runs: run 1 no score (left out), run 2 no score (left out), run 3 no score (left out); no run gave a score",
         false},
        {"one unscored", {"100.0", "", "102.0"}, "101.0",
         "Runs: 100.0, run 2 no score (left out), 102.0; mean 101.0, standard deviation 1.41 (1.4 %), min 100.0, "
         "max 102.0",
         false},
        // Sample deviation 3.1 of the mean 100: just over the 3 % line.
        {"3.1 % spread", {"96.9", "100.0", "103.1"}, "100.0",
         "Runs: 96.9, 100.0, 103.1; mean 100.0, standard deviation 3.10 (3.1 %), min 96.9, max 103.1", true},
        {"3.0 % spread is steady", {"97.0", "100.0", "103.0"}, "100.0",
         "Runs: 97.0, 100.0, 103.0; mean 100.0, standard deviation 3.00 (3.0 %), min 97.0, max 103.0", false},
        {"warm-up shown, not counted", {"w:50.0", "80.0", "80.2"}, "80.1",
         "Runs: 50.0 (warm-up, not counted), 80.0, 80.2; mean 80.1, standard deviation 0.14 (0.2 %), min 80.0, "
         "max 80.2",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<RunRecord> runs = Runs(c.scores);
        const RunStatistics stats = ComputeStatistics(runs);
        EXPECT_EQ(stats.mean ? FixedText(*stats.mean, 1) : "", c.mean);
        EXPECT_EQ(StatisticsLine(runs, stats), std::string("<FONT size=2>") + c.line + "</FONT><br>");
        EXPECT_EQ(stats.unsteady, c.unsteady);
        EXPECT_EQ(UnsteadyLine(stats).empty(), !c.unsteady);
    }
}

TEST(RunStatistics, TheUnsteadyLineIsRedAndSaysWhatToDo) {
    const RunStatistics stats = ComputeStatistics(Runs({"90.0", "100.0", "110.0"}));
    EXPECT_EQ(UnsteadyLine(stats),
              "<FONT size=2 color=\"#FF0000\">Unsteady result: the runs spread by 10.0 % of the mean (more than 3 %). "
              "Close other programs, let the machine settle and run again with more runs per resolution.</FONT><br>");
}

TEST(RunStatistics, ScoreTextsThatAreNumbers) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {{"127.3", 127.3}, {"12345.", 12345.0}, {"7", 7.0},       {"nan", std::nullopt},
                          {"", std::nullopt}, {"1.2.3", std::nullopt}, {".", std::nullopt}, {"27.4\r\n", std::nullopt},
                          {"-5.0", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(ScoreValue(c.text), c.value) << c.text;
}

TEST(RunStatistics, FlagLinesNameTheRunWhenThereAreSeveral) {
    RunRecord warmUp;
    warmUp.run = 0;
    warmUp.warmUp = true;
    RunRecord second;
    second.run = 2;
    const RunFlag flag{"shortDemo", "The demo did not play whole."};
    EXPECT_EQ(FlagLineText(second, flag, false), "The demo did not play whole.");
    EXPECT_EQ(FlagLineText(second, flag, true), "Run 2: The demo did not play whole.");
    EXPECT_EQ(FlagLineText(warmUp, flag, true), "Warm-up run: The demo did not play whole.");
    EXPECT_EQ(FlagLine("x"), "<FONT size=2 color=\"#FF0000\">x</FONT><br>");
}

}  // namespace
