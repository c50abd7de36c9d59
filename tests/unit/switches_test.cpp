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

TEST(ReadBatchOptions, OnOffSwitchesOnlyWithTheirOwnWord) {
    struct Case {
        std::vector<std::string> args;
        std::string BenchOptions::*field;
        const char* expected;
    };
    const Case cases[] = {
        {{"/BATCH", "/640"}, &BenchOptions::highPerf, ""},
        {{"/BATCH", "/640", "/HIGHPERF"}, &BenchOptions::highPerf, "HIGHPERF"},
        {{"/batch", "/highperf", "/1024"}, &BenchOptions::highPerf, "HIGHPERF"},
        {{"/BATCH", "/HIGHPERFORMANCE"}, &BenchOptions::highPerf, ""},
        {{"/BATCH", "HIGHPERF"}, &BenchOptions::highPerf, ""},
        {{"/BATCH", "/640"}, &BenchOptions::frames, ""},
        {{"/BATCH", "/640", "/FRAMES"}, &BenchOptions::frames, "FRAMES"},
        {{"/batch", "/frames", "/1024"}, &BenchOptions::frames, "FRAMES"},
        {{"/BATCH", "/FRAME"}, &BenchOptions::frames, ""},
        {{"/BATCH", "FRAMES"}, &BenchOptions::frames, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"QWK_Lurkmark.exe"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(ReadBatchOptions(args).*c.field, c.expected) << c.args.back();
    }
}

}  // namespace

// Under /QUIET a line the program would read otherwise than meant is refused, naming the
// argument at fault; a plain line (any case, any order) passes.
TEST(QuietSwitchRefusal, RefusesUnknownArgumentsTwoOfAGroupAndNoDemo) {
    const struct {
        ArgumentList args;
        const char* expected;  // empty: no refusal
    } cases[] = {
        {Args({"/BATCH", "/QUIET", "/640", "/DEMO1", "/SHIGH"}), ""},
        {Args({"/quiet", "/Demo2", "/batch", "/hdw3", "/RUNS3", "/LIMIT600", "/AA4", "/AF16", "/BOOST"}), ""},
        {Args({"/BATCH", "/QUIET", "/640", "/640", "/DEMO1"}), ""},  // the same switch twice means one thing
        {Args({"/BATCH", "/QUIET", "/OPEN"}), ""},                   // opens the folder, plays nothing
        {Args({"/BATCH", "/QUIET", "/DEMO1"}), ""},  // no resolution: the pass's own refusal says so
        {Args({"/BATCH", "/QUIET", "/640", "/DEMO1", "/FOO"}),
         "Lurkmark does not know the switch \"/FOO\". The benchmark was not started (/QUIET)."},
        {Args({"/BATCH", "/QUIET", "/640", "/DEMO1", "/SHIGHT"}),
         "Lurkmark does not know the switch \"/SHIGHT\". The benchmark was not started (/QUIET)."},
        {Args({"/BATCH", "/QUIET", "640", "/DEMO1"}),
         "Lurkmark does not know the switch \"640\". The benchmark was not started (/QUIET)."},
        {Args({"/BATCH", "/QUIET", "/640", "/DEMO1", "/LIMITX"}),
         "Lurkmark does not know the switch \"/LIMITX\". The benchmark was not started (/QUIET)."},
        {Args({"/BATCH", "/QUIET", "/640", "/DEMO1", ""}),
         "Lurkmark does not know the switch \"\". The benchmark was not started (/QUIET)."},
        {Args({"/BATCH", "/QUIET", "/640", "/SHIGH"}),
         "Please, choose the demo with /DEMO1 or /DEMO2. The benchmark was not started (/QUIET)."},
        {Args({"/BATCH", "/QUIET", "/640", "/DEMO1", "/1024"}),
         "The switches /640 and /1024 choose the same setting; give one. The benchmark was not started (/QUIET)."},
        {Args({"/BATCH", "/QUIET", "/hdw1", "/DEMO1", "/SLOW", "/SHIGH"}),
         "The switches /SLOW and /SHIGH choose the same setting; give one. The benchmark was not started (/QUIET)."},
        {Args({"/BATCH", "/QUIET", "/640", "/DEMO1", "/DEMO2"}),
         "The switches /DEMO1 and /DEMO2 choose the same setting; give one. The benchmark was not started (/QUIET)."},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        EXPECT_EQ(QuietSwitchRefusal(c.args), c.expected) << line;
    }
}
