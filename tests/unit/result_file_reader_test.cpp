#include "results/result_file_reader.h"

#include <gtest/gtest.h>

#include "history_fixtures.h"

namespace {

using history_fixtures::FixturePass;
using history_fixtures::FixtureText;

TEST(ReadResultFile, ReadsEveryFieldOfAPassWithRuns) {
    const PassSummary pass = FixturePass("result_12_1_2026_8_00_00_PM.json");
    EXPECT_EQ(pass.started, "2026-12-01T20:00:00+01:00");
    EXPECT_EQ(pass.report, "result_12_1_2026_8_00_00_PM.htm");
    EXPECT_EQ(pass.note, "stock clocks");
    ASSERT_EQ(pass.machine.size(), 4u);
    EXPECT_EQ(pass.machine[3].label, "Driver version");
    EXPECT_EQ(pass.machine[3].value, "8.332.0.0");
    EXPECT_EQ(pass.demo, "Rivo3V demo");
    EXPECT_EQ(pass.shader, "High level");
    EXPECT_EQ(pass.runs, 3);
    ASSERT_EQ(pass.resolutions.size(), 2u);
    const ResolutionSummary& r = pass.resolutions[1];
    EXPECT_EQ(r.label,
              "1024\xC3\x97"
              "768");
    ASSERT_EQ(r.runs.size(), 4u);
    EXPECT_TRUE(r.runs[0].warmUp);
    EXPECT_EQ(r.runs[3].ended, "noScore");
    EXPECT_FALSE(r.runs[3].score);
    EXPECT_DOUBLE_EQ(*r.mean, 121.2);
    EXPECT_DOUBLE_EQ(*r.stddev, 1.13);
    EXPECT_FALSE(pass.HasFlaggedRun());
    EXPECT_EQ(pass.options[4].label, "Anisotropic filtering");
    EXPECT_EQ(pass.options[4].value, "Anisotropic 16\xC3\x97");
    EXPECT_EQ(pass.options[8].value, "1800 s");
}

TEST(ReadResultFile, KeepsTheNoteAsUtf8AndSeesFlaggedRuns) {
    EXPECT_EQ(FixturePass("result_12_5_2026_9_15_00_PM.json").note,
              "\xC3\x9c"
              "bertaktet, caf\xC3\xA9 & <new> driver");
    EXPECT_EQ(FixturePass("result_12_5_2026_9_15_00_PM.json").options[8].value, "none");
    const PassSummary flagged = FixturePass("result_12_8_2026_7_30_00_PM.json");
    EXPECT_TRUE(flagged.HasFlaggedRun());
    EXPECT_EQ(flagged.resolutions[0].runs[0].flags[0].code, "windowSize");
    EXPECT_FALSE(flagged.resolutions[1].mean);
}

// A valid file with one piece of it replaced.
std::string Changed(const std::string& from, const std::string& to) {
    std::string text = FixtureText("result_12_8_2026_7_30_00_PM.json");
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(ReadResultFile, GivesTheReasonForFilesItCannotShow) {
    const struct {
        const char* name;
        std::string text;
        const char* problem;  // the start of the reason
    } cases[] = {
        {"cut off", FixtureText("result_12_9_2026_1_00_00_PM.json"), "malformed: "},
        {"empty", "", "malformed: "},
        {"not an object", "[1, 2]", "malformed: the file is not an object"},
        {"version 2", FixtureText("result_12_9_2026_10_00_00_AM.json"), "unknown format version"},
        {"version as text", Changed("\"formatVersion\": 1", "\"formatVersion\": \"1\""), "unknown format version"},
        {"other format", Changed("lurkmark-result", "other-result"), "malformed: not a Lurkmark result"},
        {"note missing", Changed("\"note\": \"overclocked\",", ""), "malformed: note is missing"},
        {"score as text", Changed("\"score\": 142.9", "\"score\": \"142.9\""),
         "malformed: resolutions[0].runs[0].score is not a number"},
        {"unknown ending", Changed("\"timeLimit\"", "\"crashed\""), "malformed: resolutions[1].runs[0].ended"},
        {"score without scored",
         Changed("\"ended\": \"timeLimit\", \"score\": null", "\"ended\": \"timeLimit\", \"score\": 3"),
         "malformed: resolutions[1].runs[0].score does not match"},
        {"negative mean", Changed("\"mean\": 142.9", "\"mean\": -1"),
         "malformed: resolutions[0].mean is not between 0 and 1000000"},
        {"absurd score", Changed("\"score\": 142.9", "\"score\": 1e300"),
         "malformed: resolutions[0].runs[0].score is not between"},
        {"time limit beyond any integer", Changed("\"timeLimitSeconds\": 1800", "\"timeLimitSeconds\": 1e300"),
         "malformed: options.timeLimitSeconds is not a whole number"},
        {"time limit beyond a day", Changed("\"timeLimitSeconds\": 1800", "\"timeLimitSeconds\": 86401"),
         "malformed: options.timeLimitSeconds is not a whole number"},
        {"time limit in part seconds", Changed("\"timeLimitSeconds\": 1800", "\"timeLimitSeconds\": 90.5"),
         "malformed: options.timeLimitSeconds is not a whole number"},
        {"runs as text", Changed("\"runs\": 1,", "\"runs\": \"1\","), "malformed: options.runs is not a whole number"},
        {"report in another folder", Changed("\"result_12_8_2026_7_30_00_PM.htm\"", "\"..\\\\x.htm\""),
         "malformed: report is not"},
        {"report not a page", Changed("7_30_00_PM.htm\"", "7_30_00_PM.exe\""), "malformed: report is not"},
        {"impossible date", Changed("2026-12-08T19", "2026-02-30T19"), "malformed: started is not a date"},
        {"note not UTF-8",
         Changed("overclocked",
                 "overcl\xF6"
                 "cked"),
         "malformed: "},
        {"computer not a text", Changed("\"note\": \"overclocked\",", "\"note\": \"overclocked\", \"computer\": 7,"),
         "malformed: computer is not a text"},
        {"machine line not an object",
         Changed("{\"label\": \"Processor\", \"value\": \"AMD Athlon 64 X2 4800+\"}", "\"x\""),
         "malformed: machine[1]. is not an object"},
    };
    for (const auto& c : cases) {
        const ResultFileReading reading = ReadResultFile(c.text);
        EXPECT_FALSE(reading.pass) << c.name;
        EXPECT_EQ(reading.problem.rfind(c.problem, 0), 0u) << c.name << ": " << reading.problem;
    }
}

// Any PC of a shared folder may drop a file nested a hundred thousand lists deep (about
// 200 KB): it is read or refused like any other, without running out of stack.
TEST(ReadResultFile, SurvivesDeeplyNestedLists) {
    const std::size_t depth = 100000;
    const std::string deep = std::string(depth, '[') + std::string(depth, ']');
    const ResultFileReading asNote = ReadResultFile(Changed("\"note\": \"overclocked\"", "\"note\": " + deep));
    EXPECT_FALSE(asNote.pass);
    EXPECT_EQ(asNote.problem, "malformed: note is not a text");
    const ResultFileReading unknown =
        ReadResultFile(Changed("\"note\": \"overclocked\",", "\"note\": \"overclocked\", \"later\": " + deep + ","));
    EXPECT_TRUE(unknown.pass) << unknown.problem;
    const ResultFileReading unclosed = ReadResultFile(std::string(depth, '['));
    EXPECT_FALSE(unclosed.pass);
    EXPECT_EQ(unclosed.problem.rfind("malformed: ", 0), 0u) << unclosed.problem;
}

// A batch line that names only some switches leaves those choices null; later programs add
// fields that this one does not know. Neither may grey a pass.
TEST(ReadResultFile, ReadsNullChoicesAndIgnoresFieldsItDoesNotKnow) {
    const std::string nulls = Changed(
        "\"demo\": \"Rivo3V demo\", \"aspect\": \"Standard [ 4:3 ]\", \"shader\": \"Highest level\",\n"
        "    \"antialiasing\": \"4\xC3\x97\", \"filtering\": \"Anisotropic 16\xC3\x97\"",
        "\"demo\": null, \"aspect\": null, \"shader\": null, \"antialiasing\": null, \"filtering\": null");
    const ResultFileReading reading = ReadResultFile(nulls);
    ASSERT_TRUE(reading.pass) << reading.problem;
    EXPECT_EQ(reading.pass->demo, "");
    EXPECT_EQ(reading.pass->shader, "");
    EXPECT_EQ(reading.pass->options[1].value, "");

    struct Case {
        const char* name;
        const char* from;
        const char* to;
    };
    const Case unknown[] = {
        {"top level", "\"note\": \"overclocked\",",
         "\"note\": \"overclocked\", \"computer\": \"LAB-07\", \"machineId\": \"1b2c\", \"later\": {\"a\": [1]},"},
        {"options", "\"runs\": 1,", "\"runs\": 1, \"refreshCap\": true,"},
        {"resolution", "\"width\": 640,", "\"width\": 640, \"refreshRate\": 60,"},
        {"run", "\"run\": 1, \"warmUp\": false,", "\"run\": 1, \"busyMachine\": false, \"warmUp\": false,"},
        {"machine line", "{\"label\": \"Processor\",", "{\"source\": \"wmi\", \"label\": \"Processor\","},
    };
    for (const Case& c : unknown) {
        const ResultFileReading extra = ReadResultFile(Changed(c.from, c.to));
        EXPECT_TRUE(extra.pass) << c.name << ": " << extra.problem;
    }
    // A known field still has its type.
    EXPECT_FALSE(ReadResultFile(Changed("\"demo\": \"Rivo3V demo\"", "\"demo\": 3")).pass);
}

TEST(ReadResultFile, ReadsTheComputerWhereTheFileNamesIt) {
    const struct {
        const char* name;
        std::string text;
        const char* computer;
    } cases[] = {
        {"before computers were named", FixtureText("result_12_8_2026_7_30_00_PM.json"), ""},
        {"named", Changed("\"note\": \"overclocked\",", "\"note\": \"overclocked\", \"computer\": \"LAB-PC-07\","),
         "LAB-PC-07"},
        {"first of the fields, in UTF-8",
         Changed("\"formatVersion\": 1,", "\"formatVersion\": 1, \"computer\": \"B\xC3\xBCro\","), "B\xC3\xBCro"},
    };
    for (const auto& c : cases) {
        const ResultFileReading reading = ReadResultFile(c.text);
        ASSERT_TRUE(reading.pass) << c.name << ": " << reading.problem;
        EXPECT_EQ(reading.pass->computerName, c.computer) << c.name;
        EXPECT_EQ(reading.pass->note, "overclocked") << c.name;
    }
}

TEST(UtcSecondsOf, ReadsTheZoneAndRejectsOtherForms) {
    EXPECT_EQ(UtcSecondsOf("1970-01-01T00:00:00Z"), 0);
    EXPECT_EQ(UtcSecondsOf("2026-12-10T13:26:14+01:00"), UtcSecondsOf("2026-12-10T12:26:14Z"));
    EXPECT_EQ(UtcSecondsOf("2026-12-10T01:00:00-05:30"), UtcSecondsOf("2026-12-10T06:30:00Z"));
    EXPECT_EQ(*UtcSecondsOf("2024-03-01T00:00:00Z") - *UtcSecondsOf("2024-02-28T00:00:00Z"), 2 * 86400);
    for (const char* bad :
         {"2026-12-10 13:26:14+01:00", "2026-12-10T13:26:14", "2026-13-01T00:00:00Z", "2025-02-29T00:00:00Z",
          "2026-12-10T24:00:00Z", "2026-12-10T13:26:14+0100", "", "2026-12-10T13:26:1x+01:00"}) {
        EXPECT_FALSE(UtcSecondsOf(bad)) << bad;
    }
}

}  // namespace
