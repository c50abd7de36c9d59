#include <gtest/gtest.h>

#include <limits>

#include "results/machine_checks.h"

namespace {

RunRecord Scored(double score, int run = 1) {
    RunRecord r;
    r.run = run;
    r.ended = RunEnd::Scored;
    r.score = score;
    return r;
}

RunRecord Unscored(int run) {
    RunRecord r;
    r.run = run;
    return r;
}

TEST(RefreshCap, EveryScoredRunAtTheRefreshRateOrAFractionOfIt) {
    struct Case {
        const char* what;
        std::vector<RunRecord> runs;
        std::optional<int> refreshHz;
        bool flagged;
    };
    const Case cases[] = {
        {"exactly 60.0 at 60 Hz", {Scored(60.0)}, 60, true},
        {"59.2 at 60 Hz (inside 1.5 %)", {Scored(59.2)}, 60, true},
        {"58.9 at 60 Hz (outside 1.5 %)", {Scored(58.9)}, 60, false},
        {"30.0: half of 60 Hz", {Scored(30.0)}, 60, true},
        {"20.1: a third of 60 Hz", {Scored(20.1)}, 60, true},
        {"15.0: a quarter is no pattern we flag", {Scored(15.0)}, 60, false},
        {"119.5 at 120 Hz", {Scored(119.5)}, 120, true},
        {"60.0 at 120 Hz: its half", {Scored(60.0)}, 120, true},
        {"144 Hz, three runs at the rate", {Scored(143.9, 1), Scored(144.0, 2), Scored(143.2, 3)}, 144, true},
        {"runs at the rate and at its half", {Scored(60.0, 1), Scored(30.1, 2)}, 60, true},
        {"a spread of rates: one run off the pattern clears it", {Scored(60.0, 1), Scored(47.3, 2), Scored(59.9, 3)},
         60, false},
        {"a free-running score", {Scored(178.1)}, 60, false},
        {"no refresh rate known", {Scored(60.0)}, std::nullopt, false},
        {"the display's default rate (0 or 1) is no rate", {Scored(1.0)}, 1, false},
        {"runs without a score leave the others to decide", {Unscored(1), Scored(60.0, 2)}, 60, true},
        {"no scored run at all", {Unscored(1)}, 60, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<RunFlag> flags = RefreshCapFlags(c.runs, c.refreshHz);
        ASSERT_EQ(flags.size(), c.flagged ? 1u : 0u);
        if (!c.flagged) continue;
        EXPECT_EQ(flags[0].code, "refreshCap");
        EXPECT_TRUE(IsResolutionFlag(flags[0]));
        EXPECT_NE(flags[0].text.find(std::to_string(*c.refreshHz) + " Hz"), std::string::npos) << flags[0].text;
    }
}

TEST(RefreshCap, OnlyTheCappedResolutionOfAPassIsFlagged) {
    // One pass, two resolutions: the small one runs free, the large one hits the 60 Hz cap.
    const std::vector<RunRecord> free640 = {Scored(178.1)};
    const std::vector<RunRecord> capped1600 = {Scored(59.9)};
    EXPECT_TRUE(RefreshCapFlags(free640, 60).empty());
    EXPECT_EQ(RefreshCapFlags(capped1600, 60).size(), 1u);
    EXPECT_EQ(RefreshCapFlags(capped1600, 60)[0].text,
              "The frame rate sits at the display's refresh rate of 60 Hz (or its half or third): vertical sync or a "
              "frame limiter held the game back.");
}

TEST(BusyPercent, FromTwoSamplesOfTheSystemCounters) {
    constexpr std::uint64_t kTop = std::numeric_limits<std::uint64_t>::max();
    struct Case {
        const char* what;
        ProcessorTimes before, after;
        std::optional<double> percent;
    };
    // {idle, kernel (idle included), user}
    const Case cases[] = {
        {"idle throughout", {1000, 5000, 2000}, {2000, 6000, 2000}, 0.0},
        {"a quarter busy", {0, 0, 0}, {750, 800, 200}, 25.0},
        {"busy throughout", {100, 200, 300}, {100, 700, 800}, 100.0},
        {"no time passed", {5, 6, 7}, {5, 6, 7}, std::nullopt},
        {"the idle counter wraps", {kTop - 99, 0, 0}, {650, 800, 200}, 25.0},
        {"the kernel and user counters wrap", {0, kTop - 199, kTop - 49}, {750, 600, 150}, 25.0},
        {"idle beyond the total (counters read at slightly different moments)", {0, 0, 0}, {1010, 1000, 0}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<double> percent = BusyPercent(c.before, c.after);
        ASSERT_EQ(percent.has_value(), c.percent.has_value());
        if (percent) {
            EXPECT_DOUBLE_EQ(*percent, *c.percent);
        }
    }
}

TEST(BusyMachine, AboveFifteenPercentWithTheFigureAndTheBusiestProcess) {
    struct Case {
        const char* what;
        std::optional<BusyReading> reading;
        const char* text;  // nullptr: no flag
    };
    const Case cases[] = {
        {"no measurement", std::nullopt, nullptr},
        {"quiet", BusyReading{3.2, "explorer.exe"}, nullptr},
        {"exactly at the limit", BusyReading{15.0, ""}, nullptr},
        {"just above", BusyReading{15.4, ""}, "The processor was 15 % busy with other work before the game started."},
        {"with the busiest process", BusyReading{37.6, "MsMpEng.exe"},
         "The processor was 38 % busy with other work before the game started (busiest: MsMpEng.exe)."},
        {"fully busy", BusyReading{100.0, "burner.exe"},
         "The processor was 100 % busy with other work before the game started (busiest: burner.exe)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<RunFlag> flags = BusyMachineFlags(c.reading);
        if (!c.text) {
            EXPECT_TRUE(flags.empty());
            continue;
        }
        ASSERT_EQ(flags.size(), 1u);
        EXPECT_EQ(flags[0].code, "busyMachine");
        EXPECT_EQ(flags[0].text, c.text);
        EXPECT_FALSE(IsResolutionFlag(flags[0]));
    }
}

TEST(PowerLines, SourcePlanAndTheirFlags) {
    const char* saver = "a1841308-3541-4fab-bc81-f71556f20b4a";
    struct Case {
        const char* what;
        PowerReading power;
        const char* source;
        std::vector<std::string> codes;
        const char* lastText;
    };
    const Case cases[] = {
        {"mains, balanced plan", {false, "381b4222-f694-41f0-9685-ff5bb260df2e", "Balanced"}, "mains", {}, nullptr},
        {"nothing known (no battery status, no plan)", {std::nullopt, "", ""}, "", {}, nullptr},
        {"on battery", {true, "381b4222-f694-41f0-9685-ff5bb260df2e", "Balanced"}, "battery", {"onBattery"},
         "The machine ran on battery: Windows lowers the processor's and the graphics card's clocks to save power."},
        {"the power saver plan, named", {false, saver, "Energiesparmodus"}, "mains", {"powerSaver"},
         "The active power plan was Energiesparmodus, which lowers the processor's clocks to save energy."},
        {"the plan's GUID in braces and capitals, no name", {false, "{A1841308-3541-4FAB-BC81-F71556F20B4A}", ""},
         "mains", {"powerSaver"},
         "The active power plan was the energy-saving plan, which lowers the processor's clocks to save energy."},
        {"both", {true, saver, "Power saver"}, "battery", {"onBattery", "powerSaver"},
         "The active power plan was Power saver, which lowers the processor's clocks to save energy."},
        {"a plan's GUID one digit off", {false, "a1841308-3541-4fab-bc81-f71556f20b4b", "Mine"}, "mains", {}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PowerSourceName(c.power.onBattery), c.source);
        const std::vector<RunFlag> flags = PowerFlags(c.power);
        ASSERT_EQ(flags.size(), c.codes.size());
        for (std::size_t i = 0; i < flags.size(); ++i) EXPECT_EQ(flags[i].code, c.codes[i]);
        if (c.lastText) {
            EXPECT_EQ(flags.back().text, c.lastText);
        }
    }
}

TEST(PowerLines, APlanThatCouldNotBeSwitched) {
    EXPECT_TRUE(PlanNotSwitchedFlags("").empty());
    const std::vector<RunFlag> flags = PlanNotSwitchedFlags("Windows offers no such plan");
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].code, "planNotSwitched");
    EXPECT_EQ(flags[0].text,
              "The High performance power plan could not be used (Windows offers no such plan); the pass ran on the "
              "active plan.");
}

}  // namespace
