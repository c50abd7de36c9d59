// The demo of a pass put into the game's demos folder, on real files.
#include <gtest/gtest.h>

#include "app/debug_log.h"
#include "platform/shell_file_operations_win.h"
#include "platform/win_file_system_win.h"
#include "runner/demo_preparation.h"
#include "support/game_folder.h"

namespace {

struct DemoPreparationTest : ::testing::Test {
    wt::GameFolder game{"demos", "Prey"};
    WinFileSystem files;
    ShellFileOperations fileOps;
    DemoPreparation ctx{files, fileOps, game.Paths()};
    PassState state;
    DebugLog log;
    BenchOptions bench;
    OptionState options;

    std::string DemosFile(const std::string& name) const { return game.Paths().DemosPath + name; }
    std::string ShippedDemo(const std::string& name) const {
        return wt::ReadFileBytes(game.Paths().BenchDir + "Demos\\" + name);
    }
    void Interactive() { PrepareDemo(ctx, false, bench, options, state, log); }
};

TEST_F(DemoPreparationTest, BatchTokensCopyTheShippedDemoOnceAndWriteNoDebugLine) {
    struct Case {
        const char* token;
        const char* name;
    };
    for (const Case& c : {Case{"DEMO1", "rivo3v-6.demo"}, Case{"DEMO2", "rivo3v-5.demo"}}) {
        SCOPED_TRACE(c.token);
        bench.demo = c.token;
        state.DemoError = true;
        PrepareDemo(ctx, true, bench, options, state, log);
        EXPECT_EQ(state.DemoName, c.name);
        EXPECT_FALSE(state.DemoError);
        EXPECT_EQ(wt::ReadFileBytes(DemosFile(c.name)), ShippedDemo(c.name));
        // Already in place: left as it is.
        wt::WriteFileBytes(DemosFile(c.name), "the game's own copy");
        PrepareDemo(ctx, true, bench, options, state, log);
        EXPECT_EQ(wt::ReadFileBytes(DemosFile(c.name)), "the game's own copy");
    }
    bench.demo.clear();
    PrepareDemo(ctx, true, bench, options, state, log);
    EXPECT_EQ(state.DemoName, "rivo3v-5.demo") << "an empty token changes nothing";
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(DemoPreparationTest, WindowChoiceOfAShippedDemoAddsItsDebugLine) {
    options.demo = 1;
    Interactive();
    options.demo = 0;
    Interactive();
    EXPECT_EQ(state.DemoName, "rivo3v-6.demo");
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Demo: rivo3v-5.demo", "Demo: rivo3v-6.demo"}));
    EXPECT_TRUE(wt::FileExists(DemosFile("rivo3v-5.demo")));
    EXPECT_TRUE(wt::FileExists(DemosFile("rivo3v-6.demo")));
}

TEST_F(DemoPreparationTest, UserDemoIsCopiedOnceAndCountsGoodAfterAnEmptyPath) {
    wt::TempFolder elsewhere{"user demos"};
    const std::string userDemo = elsewhere.Path() + "mytest.demo";
    wt::WriteFileBytes(userDemo, "LURKDEMO 1\r\nframes 100\r\nspeed 50\r\n");
    options.demo = 2;
    options.demoFile = userDemo;
    Interactive();
    EXPECT_EQ(state.DemoName, "mytest.demo");
    EXPECT_FALSE(state.DemoError);
    EXPECT_EQ(wt::ReadFileBytes(DemosFile("mytest.demo")), wt::ReadFileBytes(userDemo));
    EXPECT_TRUE(log.Lines().empty()) << "no debug line for a user demo";

    options.demoFile.clear();
    Interactive();
    EXPECT_TRUE(state.DemoError);
    EXPECT_EQ(state.DemoName, "mytest.demo") << "unchanged by an empty path";

    wt::WriteFileBytes(DemosFile("mytest.demo"), "already there");
    options.demoFile = userDemo;
    Interactive();
    EXPECT_FALSE(state.DemoError);
    EXPECT_EQ(wt::ReadFileBytes(DemosFile("mytest.demo")), "already there") << "not copied again";
}

TEST_F(DemoPreparationTest, UserDemoNamesTheCommandLineCannotCarryArePlayedFromAPlainCopy) {
    wt::TempFolder elsewhere{"user demos"};
    struct Case {
        const char* name;
        bool copied;
    };
    const Case cases[] = {{"Ma d\xE9mo 2.demo", true}, {"R&D_100%.demo", true}, {"a+b.demo", true},
                          {"Plain-name_2.demo", false}, {"\xC9t\xE9.demo", true}};
    options.demo = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options.demoFile = elsewhere.Path() + c.name;
        const std::string bytes = std::string("LURKDEMO 1\r\nframes 100\r\n// ") + c.name;
        wt::WriteFileBytes(options.demoFile, bytes);
        Interactive();
        EXPECT_FALSE(state.DemoError);
        EXPECT_EQ(state.DemoName, c.name) << "the report names the user's file";
        EXPECT_EQ(wt::ReadFileBytes(DemosFile(c.name)), bytes);
        EXPECT_EQ(state.DemoCopyName, c.copied ? kPlainDemoCopy : "");
        // The copy is made afresh for each such demo.
        if (c.copied) {
            EXPECT_EQ(wt::ReadFileBytes(DemosFile(kPlainDemoCopy)), bytes);
        }
    }
    options.demo = 0;
    Interactive();
    EXPECT_EQ(state.DemoCopyName, "") << "a shipped demo is played by its own name";
}

TEST_F(DemoPreparationTest, UserDemoPathNamingAFolderIsUnusable) {
    wt::TempFolder folder{"demo folder"};
    options.demo = 2;
    for (const std::string& path : {folder.Path(), folder.Path().substr(0, folder.Path().size() - 1)}) {
        SCOPED_TRACE(path);
        options.demoFile = path;
        Interactive();
        EXPECT_EQ(state.DemoName, "");
        EXPECT_TRUE(state.DemoError);
    }
}

TEST_F(DemoPreparationTest, MissingUserDemoFileFailsThePreparation) {
    options.demo = 2;
    options.demoFile = "C:\\lurktest\\no such folder\\gone.demo";
    EXPECT_THROW(Interactive(), std::runtime_error);
}

}  // namespace
