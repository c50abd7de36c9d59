// The console log on real files: a log still held open by another program without sharing
// counts as a log without a score.
#include "results/console_log_parser.h"

#include <gtest/gtest.h>

#include "platform/scoped_win.h"
#include "platform/win_file_system_win.h"
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

}  // namespace
