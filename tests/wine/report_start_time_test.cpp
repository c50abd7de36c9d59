// The pass start time in the locale's short date and long time formats, and the file stamp
// made from it.
#include "results/report_document_win.h"

#include <gtest/gtest.h>

#include "results/report_document.h"

namespace {

SYSTEMTIME EveningOfTheEighth() {
    SYSTEMTIME t{};
    t.wYear = 2006;
    t.wMonth = 12;
    t.wDay = 8;
    t.wHour = 20;
    t.wMinute = 56;
    t.wSecond = 1;
    return t;
}

TEST(StartTime, FollowsTheLocalesShortDateAndLongTime) {
    const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
    const LCID american = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    const std::string de = FormatStartTime(EveningOfTheEighth(), german);
    const std::string us = FormatStartTime(EveningOfTheEighth(), american);
    // German short dates are "dd.MM.yyyy" on Windows and "d.M.yyyy" in Wine's tables.
    EXPECT_TRUE(de == "08.12.2006 20:56:01" || de == "8.12.2006 20:56:01") << de;
    EXPECT_EQ(us, "12/8/2006 8:56:01 PM");
    EXPECT_EQ(FileStampOf(de).substr(FileStampOf(de).size() - 17), "_12_2006_20_56_01");
    EXPECT_EQ(FileStampOf(us), "12_8_2006_8_56_01_PM");
}

TEST(StartTime, NowHasADateAndATimePart) {
    const std::string now = CurrentStartTime();
    const std::size_t blank = now.find(' ');
    ASSERT_NE(blank, std::string::npos);
    EXPECT_GT(blank, 5u);
    EXPECT_NE(now.find(':', blank), std::string::npos);
}

}  // namespace
