// The console log on real files: a log still held open by another program is read when that
// program shares it for reading and counts as a log without a score when it does not; a log
// of 100 MB is read whole.
#include "results/console_log_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/scoped_win.h"
#include "platform/win_file_system_win.h"
#include "support/held_file.h"
#include "support/large_console_log.h"
#include "support/wine_test_support.h"

namespace {

TEST(ConsoleLog, LockedLogIsFoundWithoutScoreAndReadableOnceReleased) {
    wt::TempFolder cfg{"console_log"};
    const std::string log = cfg.Path() + "qconsole.log";
    wt::WriteFileBytes(log, "2148 frames rendered in 19.1 seconds = 64.2 fps\n");
    WinFileSystem files;
    {
        ScopedFile lock(CreateFileA(log.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock.Valid());
        const ScoreResult locked = ConsoleLogParser::readScore(files, cfg.Path());
        EXPECT_TRUE(locked.logFound);
        EXPECT_FALSE(locked.markerFound);
        EXPECT_EQ(locked.scoreText, "");
    }
    const ScoreResult released = ConsoleLogParser::readScore(files, cfg.Path());
    EXPECT_TRUE(released.markerFound);
    EXPECT_EQ(released.scoreText, "64.2");
    EXPECT_FALSE(released.hasLetter);
}

TEST(ConsoleLog, LogHeldOpenByAnotherProcessIsReadWhenSharedElseNoScore) {
    wt::TempFolder cfg{"console_log_held"};
    const std::string log = cfg.Path() + "qconsole.log";
    wt::WriteFileBytes(log, std::string("stopped playing demos/rivo3v-5.demo.\n") + wt::kConsoleResultLine);
    WinFileSystem files;
    struct Case {
        const char* share;
        bool readable;
    } cases[] = {{"read", true}, {"readwrite", true}, {"none", false}};
    for (const Case& c : cases) {
        const wt::HeldFile held(log, c.share);
        ASSERT_TRUE(held.Held()) << c.share;
        const ScoreResult result = ConsoleLogParser::readScore(files, cfg.Path());
        EXPECT_TRUE(result.logFound) << c.share;
        EXPECT_EQ(result.markerFound, c.readable) << c.share;
        EXPECT_EQ(result.scoreText, c.readable ? "64.2" : "") << c.share;
        EXPECT_FALSE(result.hasLetter) << c.share;
    }
    EXPECT_EQ(ConsoleLogParser::readScore(files, cfg.Path()).scoreText, "64.2") << "the log is left as it was";
}

TEST(ConsoleLog, LogOf100MegabytesIsReadWhole) {
    wt::TempFolder cfg{"console_log_huge"};
    const std::string log = cfg.Path() + "qconsole.log";
    WinFileSystem files;
    for (const bool withScore : {true, false}) {
        wt::WriteLargeConsoleLog(log, 100, withScore);
        const ScoreResult result = ConsoleLogParser::readScore(files, cfg.Path());
        EXPECT_TRUE(result.logFound);
        EXPECT_EQ(result.markerFound, withScore);
        EXPECT_EQ(result.scoreText, withScore ? "64.2" : "");
        EXPECT_FALSE(result.hasLetter);
    }
}

}  // namespace
