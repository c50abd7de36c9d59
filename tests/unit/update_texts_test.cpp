#include "online/update_texts.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "online/download_progress.h"

namespace {

TEST(UpdateText, NumberedTextsWithTheirLineBreaks) {
    EXPECT_STREQ(UpdateText(0), "Application update wizard");
    EXPECT_STREQ(UpdateText(22), "Preparing. . .");
    EXPECT_STREQ(UpdateText(24), "Newer version not found. You actually are\rusing most recent version of this program.");
    EXPECT_STREQ(UpdateText(27), "The update is not completed.\rWould you like to abort upgrading?");
    EXPECT_STREQ(UpdateText(30),
                 "Connection with remote server lost.\r\rPlease restore connection and try to\r"
                 "upgrade this software again later.");
    for (int n = 0; n < kUpdateTextCount; ++n) EXPECT_GT(std::string(UpdateText(n)).size(), 0u) << n;
    EXPECT_THROW(UpdateText(kUpdateTextCount), std::out_of_range);
    EXPECT_THROW(UpdateText(-1), std::out_of_range);
}

TEST(UpdateTexts, FilledTexts) {
    EXPECT_EQ(UpdateCompletedText("QWK_Lurkmark"),
              "The update of QWK_Lurkmark has been successfully completed.\r\rPress the OK button to restart program.");
    EXPECT_EQ(UpgradeQuestionText("QWK_Lurkmark", "Faster start."),
              "A newer version of QWK_Lurkmark was released.\n\nFaster start.\n\n"
              "Do you want to update your version with the latest one?");
    EXPECT_EQ(UpgradeQuestionText("QWK_Lurkmark", ""),
              "A newer version of QWK_Lurkmark was released.\n\nDo you want to update your version with the latest one?");
    // Place-holders inside the values are not filled again.
    EXPECT_EQ(UpgradeQuestionText("a%sb", "%s"),
              "A newer version of a%sb was released.\n\n%s\n\nDo you want to update your version with the latest one?");
    EXPECT_EQ(HostUnreachableText("up.example"),
              "Host 'http://up.example' unreachable.\r\rPlease check your Internet connection and\r"
              "try to upgrade this software again later.");
    EXPECT_EQ(LostFileText("data.pk4"),
              "File data.pk4 not found or inaccessible.\r\rTry to skip this file and continue upgrade?");
    EXPECT_EQ(LostFileCaption(404), "Error #404");
    EXPECT_EQ(LostFileCaption(0), "Error");
}

TEST(UpdateTexts, WizardLines) {
    EXPECT_EQ(FileSizeLine(1536, "."), "File size: 1.5 Kb");
    EXPECT_EQ(FileSizeLine(1536, ","), "File size: 1,5 Kb");
    EXPECT_EQ(FileSizeLine(0, "."), "File size: 0.0 Kb");
    EXPECT_EQ(TransferRateLine(12.25, "."), "Transfer rate: 12.2 Kb/s");
    EXPECT_EQ(TimeLeftLine(3725), "Estimated time left: 1:02:05");
    EXPECT_EQ(TimeLeftLine(59), "Estimated time left: 0:00:59");
    EXPECT_EQ(DownloadingLine(2, 3), "Downloading 2 of 3");
}

TEST(UpdateTexts, LineBreaksForAnEditField) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"one line", "one line"},
        {"a\nb", "a\r\nb"},
        {"a\r\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"\n\n", "\r\n\r\n"},
        {"a\n\r\nb\r", "a\r\n\r\nb\r\n"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(WithCrLfBreaks(text), expected) << text;
}

TEST(ComputeDownloadProgress, BarsRateAndTimeLeft) {
    // Second of four files, a quarter of 400 KB after 5 s.
    DownloadProgress p = ComputeDownloadProgress(1, 4, 102400, 409600, 5, ".");
    EXPECT_EQ(p.filePercent, 25);
    EXPECT_EQ(p.allPercent, 25 + 6);  // 1*100/4 plus 25 div 4
    EXPECT_EQ(p.rateLine, "Transfer rate: 20.0 Kb/s");
    EXPECT_EQ(p.timeLeftLine, "Estimated time left: 0:00:15");

    // Less than a second: the kilobytes received stand for the rate.
    p = ComputeDownloadProgress(0, 3, 2048, 4096, 0, ",");
    EXPECT_EQ(p.filePercent, 50);
    EXPECT_EQ(p.allPercent, 16);
    EXPECT_EQ(p.rateLine, "Transfer rate: 2,0 Kb/s");
    EXPECT_EQ(p.timeLeftLine, "Estimated time left: 0:00:00");

    // No announced length: no share and no estimate rather than a division by zero.
    p = ComputeDownloadProgress(2, 3, 5000, 0, 2, ".");
    EXPECT_EQ(p.filePercent, 0);
    EXPECT_EQ(p.allPercent, 67);
    EXPECT_EQ(p.timeLeftLine, "Estimated time left: 0:00:00");
}

}  // namespace
