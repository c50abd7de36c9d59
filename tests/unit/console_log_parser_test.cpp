#include "results/console_log_parser.h"

#include <gtest/gtest.h>

#include <new>

#include "fakes/fake_settings.h"
#include "platform/text_file.h"

namespace {

using namespace ConsoleLogParser;

TEST(ExtractScore, TakesSevenCharactersAfterTheMarkerAndCleansThem) {
    struct Case {
        const char* afterMarker;
        const char* score;
    } cases[] = {
        {" 27.4 fps", "27.4"},     {" 127.3 fps", "127.3"}, {" 1234.5 fps", "1234.5"},
        {" 7.9 fps", "7.9"},       {"27.4fps", "27.4"},     {" 12345.67 fps", "12345."},
        {"", ""},                  {" 9", "9"},             {" -1,5 FPS", "-1,5"},
        {" nan fps", "nan"},       {": 60 Sps", "60"},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("2148 frames rendered in 19.1 seconds =") + c.afterMarker;
        EXPECT_EQ(extractScore(text), c.score) << "after the marker: [" << c.afterMarker << "]";
    }
}

TEST(ExtractScore, FirstMarkerInAnyCaseCounts) {
    EXPECT_EQ(extractScore("x SECONDS = 41.0 fps\r\ny seconds = 99.9 fps\r\n"), "41.0");
    EXPECT_EQ(extractScore("SeCoNdS = 5.5 fps"), "5.5");
    EXPECT_EQ(extractScore("no result here"), "");
    EXPECT_FALSE(hasScoreMarker("seconds=1 fps"));
}

TEST(ExtractScore, LineBreakAmongTheSevenCharactersStays) {
    EXPECT_EQ(extractScore(normaliseLineEnds("seconds = 27.4\nnext")), "27.4\r\n");
}

TEST(ContainsLetter, OnlyAsciiLettersCount) {
    EXPECT_TRUE(containsLetter("nan"));
    EXPECT_TRUE(containsLetter("1.#INF"));
    EXPECT_TRUE(containsLetter("z"));
    EXPECT_FALSE(containsLetter("127.3"));
    EXPECT_FALSE(containsLetter("27.4\r\n"));
    EXPECT_FALSE(containsLetter(""));
    EXPECT_FALSE(containsLetter("\xE9\xC4\xB5"));  // accented letters of code page 1252 are not ASCII
}

TEST(NormaliseLineEnds, EveryLineEndsWithCrLf) {
    EXPECT_EQ(normaliseLineEnds("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(normaliseLineEnds("a\r\n"), "a\r\n");
    EXPECT_EQ(normaliseLineEnds("\n\n"), "\r\n\r\n");
    EXPECT_EQ(normaliseLineEnds("\r\r\n"), "\r\n\r\n");
    EXPECT_EQ(normaliseLineEnds(""), "");
}

class ReadScoreTest : public ::testing::Test {
protected:
    const std::string cfg = "C:\\Prey\\base\\";
    FakeFileSystem files;
};

TEST_F(ReadScoreTest, AbsentLogIsNotFound) {
    const ScoreResult r = readScore(files, cfg);
    EXPECT_FALSE(r.logFound);
    EXPECT_EQ(r.scoreText, "");
    EXPECT_FALSE(r.hasLetter);
    // No game folder: nothing is looked up beside the program.
    files.files["qconsole.log"] = "seconds = 1.0 fps";
    EXPECT_FALSE(readScore(files, "").logFound);
}

TEST_F(ReadScoreTest, LoneLineEndsOfTheFileBecomeCrLf) {
    files.files[cfg + "qconsole.log"] = "timedemo\rseconds = 7.5\rquit\r";
    const ScoreResult r = readScore(files, cfg);
    EXPECT_TRUE(r.logFound);
    EXPECT_TRUE(r.markerFound);
    EXPECT_EQ(r.scoreText, "7.5\r\nq");
    EXPECT_TRUE(r.hasLetter);
}

TEST_F(ReadScoreTest, LogWithoutMarkerIsFoundWithoutScore) {
    files.files[cfg + "qconsole.log"] = "ERROR: couldn't open demo\r\n";
    const ScoreResult r = readScore(files, cfg);
    EXPECT_TRUE(r.logFound);
    EXPECT_FALSE(r.markerFound);
    EXPECT_EQ(r.scoreText, "");
    EXPECT_FALSE(r.hasLetter);
}

TEST_F(ReadScoreTest, UnreadableLogCountsAsALogWithoutScore) {
    struct LockedLog : FakeFileSystem {
        bool ReadFile(const std::string&, std::string&) override { return false; }
    } locked;
    // A log larger than the memory the program can get.
    struct HugeLog : FakeFileSystem {
        bool ReadFile(const std::string&, std::string&) override { throw std::bad_alloc(); }
    } huge;
    for (FakeFileSystem* unreadable : {static_cast<FakeFileSystem*>(&locked), static_cast<FakeFileSystem*>(&huge)}) {
        unreadable->files[cfg + "qconsole.log"] = "seconds = 27.4 fps";
        const ScoreResult r = readScore(*unreadable, cfg);
        EXPECT_TRUE(r.logFound);
        EXPECT_FALSE(r.markerFound);
        EXPECT_EQ(r.scoreText, "");
    }
}

// The real result line of the engine family, taken from a public test profile's output
// template (LF line ends), with a frame rate where the template has its placeholder.
TEST_F(ReadScoreTest, RealResultLineFromFixture) {
    std::string xml;
    const std::string fixture = std::string(LURK_FIXTURES_DIR) + "/consolelog/pts_doom3-1.1.1_results-definition.xml";
    ASSERT_TRUE(ReadWholeFile(fixture, xml));
    const std::string placeholder = "#_RESULT_#";
    const std::size_t at = xml.find(placeholder);
    ASSERT_NE(at, std::string::npos);
    // As published the figure is the placeholder: letters survive the cleaning.
    files.files[cfg + "qconsole.log"] = xml;
    ScoreResult r = readScore(files, cfg);
    EXPECT_TRUE(r.markerFound);
    EXPECT_EQ(r.scoreText, "#_REU");
    EXPECT_TRUE(r.hasLetter);

    files.files[cfg + "qconsole.log"] = xml.replace(at, placeholder.size(), "112.5");
    r = readScore(files, cfg);
    EXPECT_EQ(r.scoreText, "112.5");
    EXPECT_FALSE(r.hasLetter);
}

}  // namespace
