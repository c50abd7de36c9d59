#include "results/pass_history.h"

#include <gtest/gtest.h>

#include "history_fixtures.h"
#include "results/utf8_cp1252.h"

namespace {

using history_fixtures::FixtureText;
using history_fixtures::MakePass;

const char* const kFixtureFiles[] = {"result_12_1_2026_8_00_00_PM.json", "result_12_5_2026_9_15_00_PM.json",
                                     "result_12_8_2026_7_30_00_PM.json", "result_12_9_2026_1_00_00_PM.json",
                                     "result_12_9_2026_10_00_00_AM.json"};

std::vector<HistoryEntry> FixtureHistory() {
    std::vector<HistoryEntry> entries;
    for (const char* name : kFixtureFiles) entries.push_back(ReadHistoryEntry(name, FixtureText(name)));
    return entries;
}

std::vector<std::string> Column(const HistoryTable& table, std::size_t column) {
    std::vector<std::string> cells;
    for (const HistoryRow& row : table.rows) cells.push_back(row.cells[column]);
    return cells;
}

TEST(BuildHistoryTable, ListsTheFolderNewestFirstWithUnreadableFilesGreyedLast) {
    const std::vector<HistoryEntry> entries = FixtureHistory();
    const HistoryTable table = BuildHistoryTable(entries, ',');
    ASSERT_EQ(table.columns.size(), 8u);
    EXPECT_EQ(table.columns[1].title, "Date and time");
    EXPECT_EQ(table.columns[6].title,
              "640\xD7"
              "480");
    EXPECT_EQ(table.columns[7].title,
              "1024\xD7"
              "768");
    EXPECT_EQ(Column(table, 1),
              (std::vector<std::string>{"2026-12-08 19:30:00", "2026-12-05 21:15:00", "2026-12-01 20:00:00",
                                        "result_12_9_2026_10_00_00_AM.json", "result_12_9_2026_1_00_00_PM.json"}));
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"!", "", "", "", ""}));
    EXPECT_EQ(Column(table, 2)[1],
              "\xDC"
              "bertaktet, caf\xE9 & <new> driver");
    EXPECT_EQ(Column(table, 6), (std::vector<std::string>{"142,9", "190,6", "178,2", "", ""}));
    EXPECT_EQ(Column(table, 7), (std::vector<std::string>{"No Score", "", "121,2", "", ""}));
    EXPECT_EQ(table.rows[0].tooltip,
              "640\xD7"
              "480, run 1: The game ran at 800\xD7"
              "600, not at the resolution asked.");
    EXPECT_FALSE(table.rows[0].greyed);
    EXPECT_TRUE(table.rows[3].greyed);
    EXPECT_EQ(table.rows[3].tooltip, "unknown format version");
    EXPECT_EQ(table.rows[4].tooltip.rfind("malformed: ", 0), 0u);
}

TEST(SortHistoryRows, OrdersByTheClickedColumn) {
    std::vector<HistoryEntry> entries;
    auto add = [&](const std::string& started, const std::string& note, std::optional<double> mean) {
        entries.push_back({"f", MakePass(started, note, {{"640", mean, std::nullopt}}), ""});
    };
    add("2026-12-10T10:00:00+01:00", "beta", 50.0);      // 09:00 UTC
    add("2026-12-10T09:30:00Z", "Alpha", std::nullopt);  // No Score
    add("2026-12-10T08:00:00-02:00", "gamma", 150.0);    // 10:00 UTC
    entries.push_back({"bad.json", std::nullopt, "malformed: x"});
    HistoryTable table = BuildHistoryTable(entries, '.');
    const struct {
        std::size_t column;
        bool ascending;
        std::vector<std::string> notes;
    } cases[] = {
        {1, false, {"gamma", "Alpha", "beta", "malformed: x"}},  // by the moment, not the clock text
        {1, true, {"beta", "Alpha", "gamma", "malformed: x"}},
        {2, true, {"Alpha", "beta", "gamma", "malformed: x"}},  // without regard to case
        {2, false, {"gamma", "beta", "Alpha", "malformed: x"}},
        {6, false, {"gamma", "beta", "Alpha", "malformed: x"}},  // "No Score" after every number
        {6, true, {"beta", "gamma", "Alpha", "malformed: x"}},
    };
    for (const auto& c : cases) {
        SortHistoryRows(table, entries, c.column, c.ascending);
        EXPECT_EQ(Column(table, 2), c.notes) << "column " << c.column << (c.ascending ? " up" : " down");
    }
}

TEST(BuildHistoryTable, ShowsTheComputerBesideTheDateInTheWindow) {
    std::vector<HistoryEntry> entries = FixtureHistory();
    entries[0].pass->computerName = "LAB-PC-07";
    entries[2].pass->computerName = "B\xC3\xBCro";
    const HistoryTable page = BuildHistoryTable(entries, '.');
    const HistoryTable window = BuildHistoryTable(entries, '.', HistoryView::Window);
    ASSERT_EQ(window.columns.size(), page.columns.size() + 1);
    EXPECT_EQ(ColumnOf(page, HistoryField::Computer), page.columns.size()) << "the page has no computer column";
    ASSERT_EQ(ColumnOf(window, HistoryField::Computer), 2u);
    EXPECT_EQ(window.columns[2].title, "Computer");
    EXPECT_EQ(Column(window, 2), (std::vector<std::string>{"B\xFCro", "", "LAB-PC-07", "", ""}));
    // Every other column as the page has it; unreadable files keep their name and reason.
    for (std::size_t c = 0; c < page.columns.size(); ++c) {
        const std::size_t w = c < 2 ? c : c + 1;
        EXPECT_EQ(window.columns[w].title, page.columns[c].title);
        EXPECT_EQ(Column(window, w), Column(page, c)) << page.columns[c].title;
    }
    HistoryTable sorted = window;
    SortHistoryRows(sorted, entries, 2, true);
    EXPECT_EQ(Column(sorted, 2), (std::vector<std::string>{"B\xFCro", "LAB-PC-07", "", "", ""}));
}

// A 1 % low column follows the score of each resolution where some pass recorded frame times;
// a pass without them leaves its cell empty, and the column sorts by value like a score.
TEST(BuildHistoryTable, ShowsTheOnePercentLowBesideTheScoreWhereFramesWereRecorded) {
    std::vector<HistoryEntry> entries;
    auto add = [&](const std::string& started, const std::string& note, std::optional<double> low1) {
        PassSummary pass = MakePass(started, note, {{"640", 90.0, std::nullopt}, {"1024", 60.0, std::nullopt}});
        if (low1) {
            pass.resolutions[0].frameTimes = FrameTimeFigures{};
            pass.resolutions[0].frameTimes->low1Fps = *low1;
        }
        entries.push_back({"f", pass, ""});
    };
    add("2026-12-10T10:00:00Z", "slow", 41.26);
    add("2026-12-10T11:00:00Z", "none", std::nullopt);
    add("2026-12-10T12:00:00Z", "fast", 72.96);
    HistoryTable table = BuildHistoryTable(entries, ',');
    ASSERT_EQ(table.columns.size(), 9u);
    EXPECT_EQ(table.columns[7].title, "640\xD7" "480 1 % low");
    EXPECT_EQ(table.columns[7].field, HistoryField::Low1);
    EXPECT_EQ(table.columns[7].key, "640");
    EXPECT_TRUE(table.columns[7].numeric);
    EXPECT_EQ(table.columns[8].field, HistoryField::Score) << "no column where no pass recorded frame times";
    EXPECT_EQ(Column(table, 7), (std::vector<std::string>{"73,0", "", "41,3"}));
    SortHistoryRows(table, entries, 7, true);
    EXPECT_EQ(Column(table, 2), (std::vector<std::string>{"slow", "fast", "none"}));
    SortHistoryRows(table, entries, 7, false);
    EXPECT_EQ(Column(table, 2), (std::vector<std::string>{"fast", "slow", "none"}));
}

TEST(IsResultDataFileName, TakesOnlyResultDataFiles) {
    for (const char* name : {"result_12_8_2006_8_56_01_PM.json", "RESULT_1.JSON"})
        EXPECT_TRUE(IsResultDataFileName(name)) << name;
    for (const char* name : {"result_1.htm", "compare_1.json", "result_.json", "xresult_1.json", "result_1.json.bak"}) {
        EXPECT_FALSE(IsResultDataFileName(name)) << name;
    }
}

TEST(Utf8ToCp1252, MapsWhatTheCodePageHoldsAndMarksTheRest) {
    const struct {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"plain", "plain"},
        {"\xC3\x9c"
         "ber caf\xC3\xA9",
         "\xDC"
         "ber caf\xE9"},
        {"1024\xC3\x97"
         "768",
         "1024\xD7"
         "768"},
        {"\xE2\x82\xAC 5 \xE2\x80\x94 \xC5\x93", "\x80 5 \x97 \x9C"},
        {"\xE2\x98\x85 \xF0\x9F\x98\x80!", "? ?!"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}

}  // namespace
