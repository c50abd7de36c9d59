#include "runner/game_command_line.h"

#include <gtest/gtest.h>

#include "app/debug_log.h"
#include "runner/demo_preparation.h"
#include "runner/game_batch_file.h"
#include "runner/run_plan.h"

namespace {

const std::string kHead = "prey.exe +set logFile 1 +set com_showFPS 1 +set timescale 7 +set r_mode -1 ";

struct CommandLine : ::testing::Test {
    PassState state;
    DebugLog log;
    OptionState options;

    std::string Compose(const std::string& aspect, ResolutionPosition position) {
        BenchOptions bench;
        bench.aspect = aspect;
        SelectAspect(bench, state, log);
        ComposeGameCommandLine(position, options, state);
        return state.GameCommandLine;
    }
};

TEST_F(CommandLine, AspectTokensGiveFragmentAndLine) {
    struct Case {
        const char* token;
        const char* fragment;
        const char* line;
    };
    const Case cases[] = {{"AR43", "+set r_aspectRatio 0", "Aspect Ratio: [4:3]"},
                          {"AR169", "+set r_aspectRatio 1", "Aspect Ratio: [16:9]"},
                          {"AR1610", "+set r_aspectRatio 2", "Aspect Ratio: [16:10]"},
                          {"", "", ""}};
    for (const Case& c : cases) {
        BenchOptions bench;
        bench.aspect = c.token;
        SelectAspect(bench, state, log);
        EXPECT_EQ(state.AspectFragment, c.fragment);
        EXPECT_EQ(state.AspectLine, c.line);
        EXPECT_EQ(log.Lines().back(), c.line) << "an empty line when there is no aspect ratio";
    }
}

TEST_F(CommandLine, FixedEntryExampleIsByteExact) {
    state.DemoName = "rivo3v-6.demo";
    EXPECT_EQ(Compose("AR169", 2),
              "prey.exe +set logFile 1 +set com_showFPS 1 +set timescale 7 +set r_mode -1 +set r_aspectRatio 1 "
              "+set r_customWidth 1024 +set r_customHeight 768 +timedemoquit rivo3v-6.demo");
}

TEST_F(CommandLine, NoAspectLeavesTwoBlanks) {
    state.DemoName = "rivo3v-5.demo";
    EXPECT_EQ(Compose("", 8),
              kHead + " +set r_customWidth 1920 +set r_customHeight 1200 +timedemoquit rivo3v-5.demo");
}

TEST_F(CommandLine, CustomSlotTakesTheTextsAsTheyStand) {
    options.customWidth = "1680";
    options.customHeight = "1050";
    state.DemoName = "mytest.demo";
    EXPECT_EQ(Compose("AR1610", kCustomPosition),
              kHead + "+set r_aspectRatio 2 +set r_customWidth 1680 +set r_customHeight 1050 +timedemoquit mytest.demo");
    // A later pass at another ratio does not keep the old fragment.
    EXPECT_EQ(Compose("AR43", 0).find("+set r_aspectRatio 0 +set r_customWidth 640 +set r_customHeight 480 "),
              kHead.size());
}

TEST_F(CommandLine, UserDemoWithAPlainCopyIsPlayedFromTheCopy) {
    state.DemoName = "Ma d\xE9mo 2.demo";
    state.DemoCopyName = kPlainDemoCopy;
    EXPECT_EQ(Compose("", 0),
              kHead + " +set r_customWidth 640 +set r_customHeight 480 +timedemoquit lurkmark_user.demo");
}

TEST_F(CommandLine, TheRecorderIsNamedAsTheGamesGlLibraryOnlyWhenTheRunRecordsFrames) {
    state.DemoName = "rivo3v-6.demo";
    state.FrameRecorder = "C:/Program Files/Quenwick Lurkmark/QWK_FrameRecorder.dll";
    EXPECT_EQ(Compose("AR43", 0),
              kHead + "+set r_aspectRatio 0 +set r_customWidth 640 +set r_customHeight 480 "
                      "+set r_glDriver \"C:/Program Files/Quenwick Lurkmark/QWK_FrameRecorder.dll\" "
                      "+timedemoquit rivo3v-6.demo");
    state.FrameRecorder.clear();
    EXPECT_EQ(Compose("AR43", 0),
              kHead + "+set r_aspectRatio 0 +set r_customWidth 640 +set r_customHeight 480 +timedemoquit rivo3v-6.demo");
}

// Only the batch file can be meant, whatever the game folder's name holds.
TEST(GameStartParameters, BatchFileRunByTheSystemCommandInterpreterQuoted) {
    AppPaths paths;
    paths.GamePath = "C:\\Program Files (x86)\\Prey Game";
    const GameStartParameters start = GameStart(paths, "C:\\WINDOWS\\system32");
    EXPECT_EQ(start.program, "C:\\WINDOWS\\system32\\cmd.exe");
    EXPECT_EQ(start.commandLine, "cmd.exe /c \"\"C:\\Program Files (x86)\\Prey Game\\Lurkmark.bat\"\"");
    EXPECT_EQ(start.currentDirectory, "C:\\Program Files (x86)\\Prey Game");
}

TEST(LastPathComponent, FileNameOrNothing) {
    EXPECT_EQ(LastPathComponent("D:\\Demos\\mytest.demo"), "mytest.demo");
    EXPECT_EQ(LastPathComponent("D:\\Demos\\"), "");
    EXPECT_EQ(LastPathComponent("D:mytest.demo"), "mytest.demo");
}

}  // namespace
