#include "results/report_document.h"

#include <gtest/gtest.h>

namespace {

TEST(FileStampOf, ReplacesTheSixSeparators) {
    EXPECT_EQ(FileStampOf("08.12.2006 20:56:01"), "08_12_2006_20_56_01");
    EXPECT_EQ(FileStampOf("12/8/2006 8:56:01 PM"), "12_8_2006_8_56_01_PM");
    EXPECT_EQ(FileStampOf("2006-12-08\\x"), "2006_12_08_x");
    EXPECT_EQ(FileStampOf("8,12,2006"), "8,12,2006");
}

TEST(ReportDocument, HeadDiffersByModeOnlyInLine22) {
    ReportDocument interactive, batch;
    interactive.startPass("12/8/2006 8:56:01 PM", ReportDocument::Mode::Interactive);
    batch.startPass("12/8/2006 8:56:01 PM", ReportDocument::Mode::Batch);
    ASSERT_EQ(interactive.lines().size(), 22u);
    ASSERT_EQ(batch.lines().size(), 22u);
    for (std::size_t i = 0; i < 21; ++i) EXPECT_EQ(interactive.lines()[i], batch.lines()[i]);
    EXPECT_EQ(interactive.lines()[13], "font-weight: bold;)");
    EXPECT_EQ(interactive.lines()[6], "\tcolor: #0066FF;");
    EXPECT_EQ(interactive.lines()[20], "   <FONT size=2>The benchmark started at 12/8/2006 8:56:01 PM</FONT><br>");
    EXPECT_EQ(interactive.lines()[21], "<p align=\"left\"><span class=\"style4\">System Information<br></span>");
    EXPECT_EQ(batch.lines()[21], "<span class=\"style4\">System Information<br></span>");
    EXPECT_EQ(batch.filePath("C:\\R\\"), "C:\\R\\result_12_8_2006_8_56_01_PM.htm");
}

TEST(ReportDocument, InfoLinesAreWrittenUnescaped) {
    ReportDocument doc;
    doc.startPass("t", ReportDocument::Mode::Batch);
    doc.addInfoLine("CPU:", "<i>Fast</i> 2400 MHz");
    EXPECT_EQ(doc.lines().back(), "   <FONT size=2><b>CPU:</b> <i>Fast</i> 2400 MHz</FONT><br>");
}

}  // namespace
