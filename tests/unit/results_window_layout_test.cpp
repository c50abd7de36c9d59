#include "app/results_window_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowBounds, ReadsBackWhatItStoresAndRefusesTheRest) {
    const ResultsWindowBounds bounds{-1800, 40, 1200, 700, true};
    EXPECT_EQ(EncodeWindowBounds(bounds), "-1800,40,1200,700,1");
    const std::optional<ResultsWindowBounds> back = DecodeWindowBounds("-1800,40,1200,700,1");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->left, -1800);
    EXPECT_EQ(back->top, 40);
    EXPECT_EQ(back->width, 1200);
    EXPECT_EQ(back->height, 700);
    EXPECT_TRUE(back->maximised);
    EXPECT_FALSE(DecodeWindowBounds("10,20,900,600,0")->maximised);
    for (const char* bad : {"", "10,20,900,600", "10,20,900,600,0,1", "10,20,900,600,2", "10,20,100,600,0",
                            "10,20,900,100,0", "a,20,900,600,0", "10, 20,900,600,0", "10,20,900,600,", "-,20,900,600,0",
                            "10,20,9999999,600,0", "10,20,900,600,0x"}) {
        EXPECT_FALSE(DecodeWindowBounds(bad)) << bad;
    }
}

TEST(ColumnWidths, KeepEachWidthWithItsColumn) {
    const std::map<std::string, int> widths = {{"computer", 120}, {"date", 150}, {"score:640", 70}};
    const std::string text = EncodeColumnWidths(widths);
    EXPECT_EQ(text, "computer=120;date=150;score:640=70");
    EXPECT_EQ(DecodeColumnWidths(text), widths);
    // A resolution key from a data file that would split the value is not stored.
    EXPECT_EQ(EncodeColumnWidths({{"score:a;b", 5}, {"score:c=d", 6}, {"note", 80}}), "note=80");
    const struct {
        const char* text;
        std::map<std::string, int> widths;
    } cases[] = {
        {"", {}},
        {"note=80", {{"note", 80}}},
        {"note=80;;=5;demo;runs=x;flag=-1;shader=2001;date=0", {{"note", 80}, {"date", 0}}},
        {"note=80;note=90", {{"note", 90}}},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeColumnWidths(c.text), c.widths) << c.text;
}

TEST(ColumnName, NamesEveryColumnOfTheWindow) {
    PassSummary pass;
    pass.started = "2026-12-01T10:00:00Z";
    pass.resolutions.push_back({"hdw2", "1920\xC3\x97" "1080", 1920, 1080, {}, 60.0, {}, {}});
    pass.resolutions.back().frameTimes = FrameTimeFigures{};
    const HistoryTable table = BuildHistoryTable({{"f.json", pass, ""}}, '.', HistoryView::Window);
    std::vector<std::string> names;
    for (const HistoryColumn& column : table.columns) {
        names.push_back(ColumnName(column));
        EXPECT_GT(DefaultColumnWidth(column), 0) << names.back();
    }
    EXPECT_EQ(names, (std::vector<std::string>{"flag", "date", "computer", "note", "demo", "shader", "runs",
                                               "score:hdw2", "low1:hdw2"}));
}

}  // namespace

TEST(ColumnWidths, TextColumnsGiveWayWidestFirstSoThatTheScoresFit) {
    const struct {
        std::vector<int> wanted;
        std::vector<int> least;
        int room;
        std::vector<int> fitted;
    } cases[] = {
        {{18, 130, 200, 60, 64}, {18, 130, 50, 60, 64}, 400, {18, 130, 128, 60, 64}},  // the note gives way
        {{18, 130, 200, 150, 64}, {18, 130, 50, 40, 64}, 400, {18, 130, 94, 94, 64}},  // widest first, then both
        {{18, 130, 200, 60, 64}, {18, 130, 120, 60, 64}, 300, {18, 130, 120, 60, 64}},  // not below the least: scrolls
        {{18, 130, 100}, {18, 130, 50}, 500, {18, 130, 100}},                          // room enough: as wanted
    };
    for (const auto& c : cases) EXPECT_EQ(FitColumnsToRoom(c.wanted, c.least, c.room), c.fitted) << c.room;
}
