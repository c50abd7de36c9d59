#include "domain/switches.h"

#include <gtest/gtest.h>

namespace {

ArgumentList Args(std::initializer_list<const char*> rest) {
    ArgumentList args{"C:\\Lurkmark\\QWK_Lurkmark.exe"};
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
}

TEST(IsSwitchPresent, MatchesSlashWordIgnoringAsciiCase) {
    struct Case {
        ArgumentList args;
        const char* word;
        bool expected;
    } cases[] = {
        {Args({"/Batch"}), "BATCH", true},
        {Args({"/BATCH"}), "batch", true},
        {Args({"BATCH"}), "BATCH", false},    // no slash
        {Args({"/BATCHX"}), "BATCH", false},  // whole-word comparison
        {Args({""}), "BATCH", false},
        {Args({"/"}), "", true},
        {ArgumentList{"/BATCH"}, "BATCH", false},  // argument 0 is the program path
        {Args({"/\xE9T\xC9"}), "\xC9T\xC9", false},  // only ASCII letters fold
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSwitchPresent(c.args, c.word), c.expected) << c.word;
    }
}

TEST(ReadStartupMode, ReadsBothModeSwitches) {
    StartupMode m = ReadStartupMode(Args({"/open", "/1024", "/Batch"}));
    EXPECT_TRUE(m.BatchMode);
    EXPECT_TRUE(m.OpenMode);
    m = ReadStartupMode(Args({"/1024"}));
    EXPECT_FALSE(m.BatchMode);
    EXPECT_FALSE(m.OpenMode);
}

TEST(ReadStartupMode, QuietCountsOnlyWithBatch) {
    EXPECT_TRUE(ReadStartupMode(Args({"/quiet", "/640", "/BATCH"})).Quiet);
    EXPECT_FALSE(ReadStartupMode(Args({"/QUIET", "/640"})).Quiet) << "like the selection switches";
    EXPECT_FALSE(ReadStartupMode(Args({"/BATCH", "QUIET", "/QUIETLY"})).Quiet);
}

TEST(ReadBatchOptions, LaterTableEntryWinsWhateverTheArgumentOrder) {
    EXPECT_EQ(ReadBatchOptions(Args({"/batch", "/1024", "/hdw2"})).resolution, "HDW2");
    EXPECT_EQ(ReadBatchOptions(Args({"/batch", "/hdw2", "/1024"})).resolution, "HDW2");
    EXPECT_EQ(ReadBatchOptions(Args({"/BATCH", "/DEMO2", "/DEMO1"})).demo, "DEMO2");
    EXPECT_EQ(ReadBatchOptions(Args({"/BATCH", "/AF16", "/AFSYS"})).af, "AF16");
    EXPECT_EQ(ReadBatchOptions(Args({"/BATCH", "/AA4", "/AASYS"})).aa, "AA4");
}

TEST(ReadBatchOptions, FillsEveryGroupFromItsSwitch) {
    BenchOptions o = ReadBatchOptions(
        Args({"/BATCH", "/640", "/demo1", "/BOOST", "/AR1610", "/SHIGHEST", "/AA2", "/AFNONE", "/unknown"}));
    BenchOptions expected{"640", "DEMO1", "AR1610", "SHIGHEST", "AA2", "AFNONE", "BOOST"};
    EXPECT_EQ(o, expected);
    EXPECT_EQ(ReadBatchOptions(Args({"/BATCH"})), BenchOptions{});
}

TEST(ReadBatchOptions, RunsPerResolutionAndWarmUp) {
    struct Case {
        std::vector<std::string> args;
        int runs;
        bool warmUp;
    };
    const Case cases[] = {
        {{"/BATCH", "/640"}, 1, false},
        {{"/BATCH", "/640", "/RUNS3", "/WARMUP"}, 3, true},
        {{"/batch", "/warmup", "/runs9"}, 9, true},
        {{"/BATCH", "/RUNS1"}, 1, false},
        {{"/BATCH", "/RUNS0"}, 1, false},
        {{"/BATCH", "/RUNS10"}, 1, false},
        {{"/BATCH", "/RUNS"}, 1, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"QWK_Lurkmark.exe"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const BenchOptions o = ReadBatchOptions(args);
        EXPECT_EQ(RunsPerResolution(o), c.runs) << c.args.back();
        EXPECT_EQ(!o.warmUp.empty(), c.warmUp) << c.args.back();
    }
}

TEST(ReadBatchOptions, HighPerformancePlanOnlyWithItsSwitch) {
    struct Case {
        std::vector<std::string> args;
        bool highPerf;
    };
    const Case cases[] = {
        {{"/BATCH", "/640"}, false},
        {{"/BATCH", "/640", "/HIGHPERF"}, true},
        {{"/batch", "/highperf", "/1024"}, true},
        {{"/BATCH", "/HIGHPERFORMANCE"}, false},
        {{"/BATCH", "HIGHPERF"}, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"QWK_Lurkmark.exe"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(ReadBatchOptions(args).highPerf, c.highPerf ? "HIGHPERF" : "") << c.args.back();
    }
}

}  // namespace
