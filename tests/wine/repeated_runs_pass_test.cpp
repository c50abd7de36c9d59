// Batch passes of the real program with several runs per resolution and a warm-up run, the
// stand-in game opening a smaller window in one run and stopping the demo early in another:
// the report's Score, statistics and red lines, the debug lines, the JSON file checked
// against the published schema, and the CSV rows of both passes in one file.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <algorithm>

#include "platform/scoped_win.h"
#include "result_schema_check.h"
#include "support/pass_bench.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/wine_test_support.h"

namespace {

using wt::Lines;

const char* const kRed = "<FONT size=2 color=\"#FF0000\">";

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

// The result section of a batch report: from its heading to "<br><HR>".
Lines SectionOf(const std::string& report) {
    const Lines lines = SplitLines(report);
    const auto heading = std::find_if(lines.begin(), lines.end(),
                                      [](const std::string& l) { return l.rfind("<BR><B><FONT size=5>", 0) == 0; });
    const auto end = std::find(heading, lines.end(), "<br><HR>");
    return Lines(heading, end == lines.end() ? end : end + 1);
}

std::vector<std::string> FilesLike(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA(pattern.c_str(), &data));
    if (!find.Valid()) return names;
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileA(find.Get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RepeatedRunsPass, TwoResolutionsWithThreeRunsAndAWarmUpEach) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::PassBench bench("rr_batch", "Prey Game", "My Results", {"bind F5 \"screenshot\"\r\n", "seta ui_name \"P\"\r\n"});
    bench.CreateSettings({{"Note", "rig \xE9t\xE9, quiet"}});
    // Starts 1 to 4 are the 640 pass (warm-up, runs 1 to 3), starts 5 to 8 the 1024 pass.
    wt::WriteFileBytes(bench.paths.GamePath + "\\prey_standin.txt", "window#3 800x600\r\nstopat#7 1200\r\n");

    for (const char* resolution : {"/640", "/1024"}) {
        const std::string line = std::string("/BATCH /DEMO1 ") + resolution + " /SHIGH /RUNS3 /WARMUP";
        ASSERT_TRUE(wt::RunAndWait(bench.Command(line), bench.paths.BenchDir, 120000).ended) << line;
    }
    EXPECT_EQ(wt::ReadFileBytes(bench.paths.GamePath + "\\prey_standin_starts.txt"), "8");

    const std::vector<std::string> jsonFiles = FilesLike(bench.paths.ResultPath + "result_*.json");
    ASSERT_EQ(jsonFiles.size(), 2u);
    std::string schema = wt::ReadFileBytes(wt::Env("LURK_SOURCE_DIR") + "\\docs\\result.schema.json");
    ASSERT_FALSE(schema.empty());

    const wt::PassCaptions captions{"rivo3v-6.demo", "Shader Detail: High", "", "", "", "Graphics BOOST: disabled"};
    // 640: runs of 178.1, 142.5 (the 800 x 600 window) and 178.1 spread by 12.4 % of their mean.
    Lines expected640 = wt::ReportSection(wt::PassMode::Batch, "640\xD7" "480", captions, "166.2");
    expected640.insert(expected640.end() - 1,
                       {"<FONT size=2>Runs: 178.1 (warm-up, not counted), 178.1, 142.5, 178.1; mean 166.2, standard "
                        "deviation 20.55 (12.4 %), min 142.5, max 178.1</FONT><br>",
                        std::string(kRed) + "Unsteady result: the runs spread by 12.4 % of the mean (more than 3 %). "
                                            "Close other programs, let the machine settle and run again with more runs "
                                            "per resolution.</FONT><br>",
                        std::string(kRed) + "Run 2: The game ran at 800\xD7" "600, not at the resolution asked.</FONT><br>"});
    Lines expected1024 = wt::ReportSection(wt::PassMode::Batch, "1024\xD7" "768", captions, "111.3");
    expected1024.insert(expected1024.end() - 1,
                        {"<FONT size=2>Runs: 111.3 (warm-up, not counted), 111.3, 111.3, 111.3; mean 111.3, standard "
                         "deviation 0.00 (0.0 %), min 111.3, max 111.3</FONT><br>",
                         std::string(kRed) + "Run 2: The demo did not play whole: 1200 frames where the other runs "
                                             "rendered 2412.</FONT><br>"});

    bool seen640 = false, seen1024 = false;
    for (const std::string& name : jsonFiles) {
        SCOPED_TRACE(name);
        const std::string json = wt::ReadFileBytes(bench.paths.ResultPath + name);
        EXPECT_EQ(lurk_test::ResultSchemaErrors(schema, json), "");
        rapidjson::Document d;
        ASSERT_FALSE(d.Parse(json.c_str()).HasParseError());
        const std::string report = wt::ReadFileBytes(bench.paths.ResultPath + d["report"].GetString());
        EXPECT_EQ(std::string(d["note"].GetString()), "rig \xC3\xA9t\xC3\xA9, quiet");
        EXPECT_EQ(d["options"]["runs"].GetInt(), 3);
        EXPECT_TRUE(d["options"]["warmUp"].GetBool());
        EXPECT_STREQ(d["options"]["shader"].GetString(), "High level");
        EXPECT_STREQ(d["machine"][0]["label"].GetString(), "Operating system");
        ASSERT_EQ(d["resolutions"].Size(), 1u);
        const auto& resolution = d["resolutions"][0];
        const auto& runs = resolution["runs"];
        ASSERT_EQ(runs.Size(), 4u);
        EXPECT_TRUE(runs[0]["warmUp"].GetBool());
        EXPECT_EQ(runs[2]["run"].GetInt(), 2);
        const std::string key = resolution["key"].GetString();
        if (key == "640") {
            seen640 = true;
            EXPECT_EQ(SectionOf(report), expected640);
            EXPECT_DOUBLE_EQ(runs[2]["score"].GetDouble(), 142.5);
            ASSERT_EQ(runs[2]["flags"].Size(), 1u);
            EXPECT_STREQ(runs[2]["flags"][0]["code"].GetString(), "windowSize");
            EXPECT_DOUBLE_EQ(resolution["mean"].GetDouble(), 166.2);
            EXPECT_DOUBLE_EQ(resolution["stddev"].GetDouble(), 20.55);
        } else {
            seen1024 = true;
            EXPECT_EQ(key, "1024");
            EXPECT_EQ(SectionOf(report), expected1024);
            EXPECT_EQ(runs[2]["frames"].GetInt(), 1200);
            EXPECT_EQ(runs[1]["frames"].GetInt(), 2412);
            ASSERT_EQ(runs[2]["flags"].Size(), 1u);
            EXPECT_STREQ(runs[2]["flags"][0]["code"].GetString(), "shortDemo");
            EXPECT_EQ(runs[1]["flags"].Size(), 0u);
        }
    }
    EXPECT_TRUE(seen640 && seen1024);

    // The second pass's debug log: a caption per run, and the flag.
    const std::string debug = bench.DebugLog();
    for (const char* line : {"Resolution: 1024 \xD7 768... (warm-up run)\r\n", "Resolution: 1024 \xD7 768... (run 3 of 3)\r\n",
                             "Check shortDemo: Run 2: The demo did not play whole: 1200 frames where the other runs "
                             "rendered 2412.\r\n"}) {
        EXPECT_NE(debug.find(line), std::string::npos) << line;
    }

    // Both passes appended to one CSV: byte-order mark and header once, a row per run.
    const std::string csv = wt::ReadFileBytes(bench.paths.ResultPath + "Lurkmark results.csv");
    const std::string header = "started,note,machine,resolution,run,score,frames,seconds,flags,computer\r\n";
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF" + header, 0), 0u);
    EXPECT_EQ(csv.find(header, 4), std::string::npos) << "the header is written once";
    const std::vector<std::string> rows = SplitLines(csv.substr(3 + header.size()));
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_NE(rows[2].find(",\"rig \xC3\xA9t\xC3\xA9, quiet\","), std::string::npos) << rows[2];
    EXPECT_NE(rows[2].find(",640\xC3\x97" "480,2,142.5,2412,16.9,\"The game ran at 800\xC3\x97" "600, not at the "
                           "resolution asked.\""),
              std::string::npos)
        << rows[2];
    EXPECT_NE(rows[6].find(",1024\xC3\x97" "768,2,111.3,1200,10.8,The demo did not play whole: 1200 frames where the "
                           "other runs rendered 2412."),
              std::string::npos)
        << rows[6];
    EXPECT_NE(rows[0].find(",640\xC3\x97" "480,0,178.1,2412,13.5,"), std::string::npos) << rows[0];
    // A new table names the PC of every row in its last column.
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    ASSERT_TRUE(GetComputerNameA(computer, &size));
    for (const std::string& row : rows) EXPECT_EQ(row.substr(row.rfind(',') + 1), computer) << row;
}

}  // namespace
