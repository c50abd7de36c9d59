#include "results/report_document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "platform/text_file.h"

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

TEST(ResolutionHeading, FixedKeysHaveNoBlanksAroundTheSignCustomHasTwo) {
    struct Case {
        const char* key;
        const char* visible;
    } cases[] = {
        {"640", "640\xD7" "480"},
        {"1280", "1280\xD7" "1024"},
        {"2048", "2048\xD7" "1536"},
        {"hdw1", "1280\xD7" "768 (HD WideScreen)"},
        {"hdw3", "1920\xD7" "1200 (HD WideScreen)"},
        {"custom", "1366 \xD7 768 (Custom)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolutionHeading(c.key, "1366", "768"),
                  std::string("<BR><B><FONT size=5>Resolution: ") + c.visible + "</FONT></B><BR>")
            << c.key;
    }
    // No heading for keys outside the table: the empty key of a result step outside a pass,
    // and the batch token spelling of a wide entry.
    EXPECT_EQ(ResolutionHeading("", "1", "2"), "");
    EXPECT_EQ(ResolutionHeading("HDW1", "1", "2"), "");
}

TEST(ReportDocument, SectionAndClosingLinesAsWritten) {
    EXPECT_EQ(DemoLine("rivo3v-6.demo"), "Demo: rivo3v-6.demo<br>");
    EXPECT_EQ(CaptionLine("Antialiasing: 4\xD7"), "Antialiasing: 4\xD7<br>");
    EXPECT_EQ(ScoreLine("27.4"), "<span class=\"style5\"><b>Score = 27.4 FPS</b></span><br>");
    EXPECT_EQ(NoScoreLine(), "<span class=\"style5\"><b>Score = No Score.</b></span><br>");

    ReportDocument doc;
    doc.addClosingLines(ReportDocument::Mode::Interactive);
    doc.addClosingLines(ReportDocument::Mode::Batch);
    ASSERT_EQ(doc.lines().size(), 4u);
    EXPECT_EQ(doc.lines()[0], "<P></P><P></P>");
    const std::string& interactive = doc.lines()[1];
    const std::string& batch = doc.lines()[3];
    EXPECT_EQ(interactive.rfind("<CENTER>", 0), 0u);
    EXPECT_NE(interactive.find("</CENTER><BR></BODY></HTML>"), std::string::npos);
    EXPECT_EQ(batch.rfind("<CENTER><FONT size=2>", 0), 0u);
    EXPECT_NE(batch.find("</FONT></CENTER><BR></BODY></HTML>"), std::string::npos);
    // Both carry the same notice.
    EXPECT_EQ(interactive.substr(8, interactive.size() - 8 - 27), batch.substr(21, batch.size() - 21 - 34));
}

TEST(ReportDocument, CommentOnlyWhenTheNoteHoldsTextSeparatorAlways) {
    ReportDocument doc;
    doc.addCommentAndSeparator("");
    doc.addCommentAndSeparator("<b>new driver</b>");
    ASSERT_EQ(doc.lines().size(), 3u);
    EXPECT_EQ(doc.lines()[0], "<hr>");
    EXPECT_EQ(doc.lines()[1], "<FONT size=2><span class=\"style6\">Comment:</span> <b>new driver</b></FONT><br>");
    EXPECT_EQ(doc.lines()[2], "<hr>");
}

TEST(ReportDocument, LinesAddedAfterTheMachineComeBeforeTheCommentInTheirOrder) {
    for (const std::string note : {"", "rig one"}) {
        SCOPED_TRACE(note);
        ReportDocument doc;
        doc.startPass("12/8/2006 8:56:01 PM", ReportDocument::Mode::Batch);
        doc.addInfoLine("CPU:", "Test CPU");
        doc.addCommentAndSeparator(note);
        doc.addLine("section");
        doc.addLineAfterMachine("first finding");
        doc.addLineAfterMachine("second finding");
        std::vector<std::string> expected = {InfoLine("CPU:", "Test CPU"), "first finding", "second finding"};
        if (!note.empty()) expected.push_back(CommentLine(note));
        expected.push_back("<hr>");
        expected.push_back("section");
        const std::vector<std::string>& lines = doc.lines();
        ASSERT_GE(lines.size(), expected.size());
        EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(expected.size()), lines.end()),
                  expected);
    }
}

TEST(ReportDocument, FileNameJoinsTheFolderAndIsEmptyStampedBeforeAnyPass) {
    ReportDocument doc;
    EXPECT_EQ(doc.filePath("C:\\R\\"), "C:\\R\\result_.htm");
    doc.startPass("8,12,2006 20:56:01", ReportDocument::Mode::Interactive);
    EXPECT_EQ(doc.filePath("C:\\R"), "C:\\R\\result_8,12,2006_20_56_01.htm");
}

TEST(ReportDocument, SavesCp1252LinesEachEndedByCrLfAndReportsAFailureWithThePath) {
    const std::string folder = ::testing::TempDir();
    ReportDocument doc;
    doc.startPass("1/2/2007 3:04:05 AM", ReportDocument::Mode::Batch);
    doc.addLine(ResolutionHeading("800", "", ""));
    doc.save(folder);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(doc.filePath(folder), bytes));
    std::remove(doc.filePath(folder).c_str());
    EXPECT_EQ(bytes.substr(0, 8), "<html>\r\n");
    const std::string last = "<BR><B><FONT size=5>Resolution: 800\xD7" "600</FONT></B><BR>\r\n";
    ASSERT_GT(bytes.size(), last.size());
    EXPECT_EQ(bytes.substr(bytes.size() - last.size()), last);

    const std::string missing = "/no-such-lurk-folder/results";
    try {
        doc.save(missing);
        FAIL() << "saving into a missing folder succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(doc.filePath(missing)), std::string::npos);
    }
}

}  // namespace

namespace {

TEST(IsoTimeText, LocalTimeWithItsOffsetFromUtc) {
    struct Case {
        int offsetMinutes;
        const char* text;
    };
    const Case cases[] = {{60, "2026-12-10T13:26:14+01:00"},
                          {0, "2026-12-10T13:26:14+00:00"},
                          {-330, "2026-12-10T13:26:14-05:30"},
                          {345, "2026-12-10T13:26:14+05:45"}};
    for (const Case& c : cases) EXPECT_EQ(IsoTimeText(2026, 12, 10, 13, 26, 14, c.offsetMinutes), c.text);
    EXPECT_EQ(IsoTimeText(2007, 1, 2, 3, 4, 5, 0), "2007-01-02T03:04:05+00:00");
}

}  // namespace
