#include "results/compare_page.h"

#include <gtest/gtest.h>

#include <regex>

#include "history_fixtures.h"

namespace {

using history_fixtures::FixturePass;
using history_fixtures::MakePass;
using history_fixtures::Score;

std::vector<const PassSummary*> Pointers(const std::vector<PassSummary>& passes) {
    std::vector<const PassSummary*> pointers;
    for (const PassSummary& p : passes) pointers.push_back(&p);
    return pointers;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

struct Bar {
    double score;
    double width;
    bool best;
};

// The bars of each chart, in page order.
std::vector<std::vector<Bar>> Charts(const std::string& page) {
    std::vector<std::vector<Bar>> charts;
    const std::regex bar(
        "<rect class=\"bar( best)?\" data-score=\"([0-9.]+)\" x=\"0\" y=\"[0-9.]+\" width=\"([0-9.]+)\"");
    std::size_t from = 0;
    for (std::size_t at = page.find("<svg", from); at != std::string::npos; at = page.find("<svg", from)) {
        from = page.find("</svg>", at);
        const std::string chart = page.substr(at, from - at);
        charts.emplace_back();
        for (std::sregex_iterator it(chart.begin(), chart.end(), bar), end; it != end; ++it) {
            charts.back().push_back({std::stod((*it)[2]), std::stod((*it)[3]), (*it)[1].matched});
        }
    }
    return charts;
}

TEST(BuildComparePage, DrawsBarsProportionalToTheScoreAndMarksTheBest) {
    const struct {
        const char* name;
        std::vector<PassSummary> passes;
        std::vector<std::size_t> barsPerChart;
        std::size_t bestMarks;
        std::vector<std::string> present;
    } cases[] = {
        {"one pass",
         {MakePass("2026-12-01T20:00:00Z", "solo", {{"640", 100.0, 2.5}})},
         {1},
         1,
         {"100.0 FPS \xC2\xB1 2.5", "<path class=\"whisker\""}},
        {"eight passes",
         [] {
             std::vector<PassSummary> passes;
             for (int i = 1; i <= 8; ++i) {
                 passes.push_back(MakePass("2026-12-0" + std::to_string(i) + "T20:00:00Z", "pass " + std::to_string(i),
                                           {{"640", 10.0 * i, std::nullopt}, {"1024", 5.0 * i, 0.5}}));
             }
             return passes;
         }(),
         {8, 8},
         2,
         {"pass 8", "+700.0 %", "+100.0 %"}},
        {"equal scores",
         {MakePass("2026-12-01T20:00:00Z", "a", {{"640", 60.0, std::nullopt}}),
          MakePass("2026-12-02T20:00:00Z", "b", {{"640", 60.0, std::nullopt}})},
         {2},
         2,
         {"\xC2\xB1"
          "0.0 %"}},
        {"a zero score",
         {MakePass("2026-12-01T20:00:00Z", "zero", {{"640", 0.0, std::nullopt}}),
          MakePass("2026-12-02T20:00:00Z", "some", {{"640", 40.0, std::nullopt}})},
         {2},
         1,
         {"0.0 FPS"}},
        {"all zero", {MakePass("2026-12-01T20:00:00Z", "zero", {{"640", 0.0, std::nullopt}})}, {1}, 0, {"0.0 FPS"}},
    };
    for (const auto& c : cases) {
        const std::string page = BuildComparePage(Pointers(c.passes), '.');
        const auto charts = Charts(page);
        ASSERT_EQ(charts.size(), c.barsPerChart.size()) << c.name;
        std::size_t best = 0;
        for (std::size_t k = 0; k < charts.size(); ++k) {
            EXPECT_EQ(charts[k].size(), c.barsPerChart[k]) << c.name;
            double widest = 0;
            for (const Bar& b : charts[k]) widest = std::max(widest, b.width);
            const double unit = widest / std::max(1e-9, [&] {
                                    double m = 0;
                                    for (const Bar& b : charts[k]) m = std::max(m, b.score);
                                    return m;
                                }());
            for (const Bar& b : charts[k]) {
                EXPECT_NEAR(b.width, b.score * unit, 0.02) << c.name;
                EXPECT_LE(b.width, 440.0) << c.name;
                best += b.best;
            }
        }
        EXPECT_EQ(best, c.bestMarks) << c.name;
        EXPECT_EQ(Count(page, "\xE2\x98\x85 best"), c.bestMarks) << c.name;
        for (const std::string& part : c.present)
            EXPECT_NE(page.find(part), std::string::npos) << c.name << ": " << part;
        for (const char* absent : {"nan", "inf", "<script", "http:", "https:", "src=", "url("}) {
            EXPECT_EQ(page.find(absent), std::string::npos) << c.name << ": " << absent;
        }
    }
}

TEST(BuildComparePage, WritesNotesAsEscapedUtf8) {
    const struct {
        const char* note;
        const char* written;
    } cases[] = {
        {"\xC3\x9c"
         "bertaktet, caf\xC3\xA9",
         "\xC3\x9c"
         "bertaktet, caf\xC3\xA9"},
        {"a<b & \"c\"", "a&lt;b &amp; &quot;c&quot;"},
        {"</text><script>", "&lt;/text&gt;&lt;script&gt;"},
    };
    for (const auto& c : cases) {
        const PassSummary pass = MakePass("2026-12-01T20:00:00Z", c.note, {{"640", 50.0, std::nullopt}});
        const std::string page = BuildComparePage({&pass, &pass}, '.');
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
        // The two bar labels, the legend and the two cells of the table's note row.
        EXPECT_EQ(Count(page, c.written), 5u) << c.note;
        EXPECT_EQ(page.find("<script"), std::string::npos) << c.note;
    }
}

TEST(BuildComparePage, ShowsMissingResolutionsAndUnscoredRuns) {
    const std::vector<PassSummary> passes = {FixturePass("result_12_1_2026_8_00_00_PM.json"),
                                             FixturePass("result_12_5_2026_9_15_00_PM.json"),
                                             FixturePass("result_12_8_2026_7_30_00_PM.json")};
    const std::string page = BuildComparePage(Pointers(passes), ',');
    const auto charts = Charts(page);
    ASSERT_EQ(charts.size(), 2u);
    EXPECT_EQ(charts[0].size(), 3u);
    EXPECT_EQ(charts[1].size(), 1u);  // 1024×768: one pass not run, one without a score
    EXPECT_EQ(Count(page, ">not run</text>"), 1u);
    EXPECT_EQ(Count(page, ">No Score</text>"), 1u);
    EXPECT_NE(page.find("190,6 FPS  +7,0 %"), std::string::npos);
    EXPECT_NE(page.find("142,9 FPS  \xE2\x88\x92"
                        "19,8 %"),
              std::string::npos);
    EXPECT_NE(page.find("overclocked (flagged run)"), std::string::npos);
    // An option the pass left to the game (a batch line without its switch) says so.
    std::vector<PassSummary> leftOut = {passes[0], passes[0]};
    for (LabelledValue& option : leftOut[1].options) {
        if (option.label == "Antialiasing") option.value.clear();
    }
    const std::string withLeftOut = BuildComparePage(Pointers(leftOut), '.');
    const std::size_t antialiasing = withLeftOut.find("<th>Antialiasing</th>");
    ASSERT_NE(antialiasing, std::string::npos);
    EXPECT_NE(withLeftOut.find("own setting</td></tr>", antialiasing), std::string::npos) << withLeftOut;
    EXPECT_LT(withLeftOut.find("own setting</td></tr>", antialiasing), withLeftOut.find("</tr>", antialiasing) + 5);
    // Several flags of a pass: sentences one after the other, never ".;".
    std::vector<PassSummary> flagged = {passes[2], passes[2]};
    flagged[1].resolutions[0].runs[0].flags.push_back({"busy", "The processor was busy"});
    flagged[1].resolutions[0].runs[0].flags.push_back({"late", "Another run ended late."});
    const std::string twoFlags = BuildComparePage(Pointers(flagged), '.');
    EXPECT_EQ(twoFlags.find(".;"), std::string::npos);
    EXPECT_NE(twoFlags.find(": The processor was busy. "), std::string::npos) << twoFlags;
    EXPECT_NE(twoFlags.find(": Another run ended late.</td>"), std::string::npos) << twoFlags;
    // The whole page is CR LF lines.
    EXPECT_EQ(Count(page, "\n"), Count(page, "\r\n"));
}

TEST(BuildComparePage, HighlightsTheRowsThatDiffer) {
    const std::vector<PassSummary> passes = {FixturePass("result_12_1_2026_8_00_00_PM.json"),
                                             FixturePass("result_12_8_2026_7_30_00_PM.json")};
    const std::string page = BuildComparePage(Pointers(passes), '.');
    const struct {
        const char* label;
        bool differs;
    } rows[] = {{"Operating system", false}, {"Driver version", true}, {"Shader detail", true}, {"Demo", false},
                {"Antialiasing", true},      {"Flagged runs", true}};
    for (const auto& row : rows) {
        const std::string th = std::string("<th>") + row.label + "</th>";
        const std::size_t at = page.find(th);
        ASSERT_NE(at, std::string::npos) << row.label;
        const std::size_t rowStart = page.rfind("<tr", at);
        EXPECT_EQ(page.substr(rowStart, 20) == "<tr class=\"differs\">", row.differs) << row.label;
    }
}

TEST(BuildComparePage, NamesThePcsOnlyWhenThePassesComeFromSeveral) {
    auto passes = [](const std::vector<std::string>& computers) {
        std::vector<PassSummary> list;
        for (std::size_t i = 0; i < computers.size(); ++i) {
            list.push_back(MakePass("2026-12-0" + std::to_string(i + 1) + "T20:00:00Z", "n" + std::to_string(i),
                                    {{"640", 50.0 + i, std::nullopt}}));
            list.back().computerName = computers[i];
        }
        return list;
    };
    const std::vector<PassSummary> unnamed = passes({"", "", ""});
    const std::string plain = BuildComparePage(Pointers(unnamed), '.');
    const std::vector<PassSummary> onePc = passes({"LAB-PC-01", "LAB-PC-01", "LAB-PC-01"});
    EXPECT_EQ(BuildComparePage(Pointers(onePc), '.'), plain) << "one PC: the page as without names";
    EXPECT_EQ(plain.find("LAB-PC"), std::string::npos);
    EXPECT_EQ(plain.find("<th>Computer</th>"), std::string::npos);

    const struct {
        const char* name;
        std::vector<std::string> computers;
        std::vector<std::string> shown;
    } cases[] = {
        {"three PCs",
         {"LAB-PC-01", "LAB-PC-02", "B\xC3\xBCro <3>"},
         {"LAB-PC-01", "LAB-PC-02", "B\xC3\xBCro &lt;3&gt;"}},
        {"two PCs, one of them twice", {"A", "B", "A"}, {"A", "B", "A"}},
        {"a file that names none", {"LAB-PC-01", ""}, {"LAB-PC-01", "computer not named"}},
    };
    for (const auto& c : cases) {
        const std::vector<PassSummary> list = passes(c.computers);
        const std::string page = BuildComparePage(Pointers(list), '.');
        std::string row = "<tr class=\"differs\"><th>Computer</th>";
        for (const std::string& shown : c.shown) row += "<td>" + shown + "</td>";
        EXPECT_NE(page.find(row + "</tr>"), std::string::npos) << c.name;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string bar = ">" + c.shown[i] + " \xC2\xB7 " + LocalStartText(list[i].started) + " \xC2\xB7 n" +
                                    std::to_string(i) + "</text>";
            EXPECT_EQ(Count(page, bar), 1u) << c.name << ": " << bar;
        }
        EXPECT_EQ(Charts(page).size(), 1u) << c.name;
        EXPECT_EQ(Charts(page)[0].size(), list.size()) << c.name;
    }
}

// The 1 % low: a strip inside the bar on the bar's own scale and its figure beside the mean;
// a page without frame times has neither, nor the charts' style.
TEST(BuildComparePage, ShowsTheOnePercentLowInTheBars) {
    std::vector<PassSummary> passes = {
        MakePass("2026-12-01T20:00:00Z", "a", {{"640", 120.0, 2.0}, {"1024", 90.0, std::nullopt}}),
        MakePass("2026-12-02T20:00:00Z", "b", {{"640", 100.0, std::nullopt}})};
    const std::string without = BuildComparePage(Pointers(passes), ',');
    EXPECT_EQ(BuildComparePage(Pointers(passes), ',', {{}, {}}), without);
    for (const char* absent : {"low1", "1 % low", "--pass0", "frame times"}) {
        EXPECT_EQ(without.find(absent), std::string::npos) << absent;
    }
    FrameTimeFigures figures;
    figures.low1Fps = 80.26;
    passes[0].resolutions[0].frameTimes = figures;
    figures.low1Fps = 131.0;  // above the means: the scale makes room for it
    passes[1].resolutions[0].frameTimes = figures;
    const std::string page = BuildComparePage(Pointers(passes), ',');
    const std::regex strip("<rect class=\"low1\" data-low1=\"([0-9.]+)\" x=\"0\" y=\"[0-9.]+\" width=\"([0-9.]+)\"");
    std::vector<std::pair<double, double>> strips;
    for (std::sregex_iterator it(page.begin(), page.end(), strip), end; it != end; ++it) {
        strips.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
    }
    ASSERT_EQ(strips.size(), 2u);
    const std::vector<Bar> bars = Charts(page)[0];
    ASSERT_EQ(bars.size(), 2u);
    const double unit = bars[0].width / bars[0].score;
    EXPECT_NEAR(strips[0].second, 80.26 * unit, 0.02);
    EXPECT_NEAR(strips[1].second, 131.0 * unit, 0.02);
    EXPECT_LE(strips[1].second, 440.0);
    EXPECT_NE(page.find("120,0 FPS \xC2\xB1 2,0  1 % low 80,3  <tspan class=\"best\">"), std::string::npos);
    EXPECT_NE(page.find("100,0 FPS  \xE2\x88\x92"
                        "16,7 %  1 % low 131,0"),
              std::string::npos);
    EXPECT_NE(page.find("--pass0"), std::string::npos);
    // The resolution without frame times keeps its chart as before.
    auto chart1024 = [](const std::string& p) {
        const std::size_t at = p.find("<h2>1024");
        return p.substr(at, p.find("</section>", at) - at);
    };
    EXPECT_EQ(chart1024(page), chart1024(without));
}

TEST(ComparePageFileName, FollowsTheReportStamp) {
    EXPECT_EQ(ComparePageFileName("12_8_2006_8_56_01_PM"), "compare_12_8_2006_8_56_01_PM.htm");
}

}  // namespace
