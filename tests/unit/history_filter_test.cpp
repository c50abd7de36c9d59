#include "results/history_filter.h"

#include <gtest/gtest.h>

#include "history_fixtures.h"

namespace {

using history_fixtures::MakePass;

std::vector<HistoryEntry> Lab() {
    std::vector<HistoryEntry> entries;
    auto add = [&](const std::string& started, const std::string& computer, const std::string& note,
                   const std::string& demo) {
        PassSummary pass = MakePass(started, note, {{"640", 50.0, std::nullopt}});
        pass.computerName = computer;
        pass.demo = demo;
        entries.push_back({"result_" + note + ".json", pass, ""});
    };
    add("2026-12-01T10:00:00Z", "LAB-PC-01", "stock", "Rivo3V demo");
    add("2026-12-02T10:00:00Z", "LAB-PC-02", "\xC3\x9c" "bertaktet", "Rivo3V demo");
    add("2026-12-03T10:00:00Z", "LAB-PC-12", "new driver", "Timedemo");
    add("2026-12-04T10:00:00Z", "", "old file", "my demo");
    entries.push_back({"result_broken.json", std::nullopt, "malformed: x"});
    return entries;
}

TEST(MatchingRows, KeepsThePassesWithEveryWordInComputerNoteOrDemo) {
    const std::vector<HistoryEntry> entries = Lab();
    const HistoryTable table = BuildHistoryTable(entries, '.', HistoryView::Window);
    const std::vector<std::string> texts = HistorySearchTexts(entries);
    const std::size_t noteColumn = ColumnOf(table, HistoryField::Note);
    const struct {
        const char* filter;
        std::vector<std::string> notes;  // newest first, as the table lists them
    } cases[] = {
        {"", {"old file", "new driver", "\xDC" "bertaktet", "stock", "malformed: x"}},
        {"   ", {"old file", "new driver", "\xDC" "bertaktet", "stock", "malformed: x"}},
        {"lab-pc-0", {"\xDC" "bertaktet", "stock"}},               // the computer, without regard to case
        {"LAB PC-12", {"new driver"}},                              // every word, each anywhere
        {"pc-12 stock", {}},                                        // both words must be found
        {"\xFC" "ber", {"\xDC" "bertaktet"}},                     // accented letters fold too
        {"rivo3v", {"\xDC" "bertaktet", "stock"}},                // the demo
        {"TIMEDEMO", {"new driver"}},
        {"file my", {"old file"}},                                  // note and demo of one pass
        {"broken", {"malformed: x"}},                               // a file that cannot be shown: by name
        {"driverdemo", {}},                                         // no match across two fields
        {"x", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> notes;
        for (std::size_t row : MatchingRows(table, texts, c.filter)) notes.push_back(table.rows[row].cells[noteColumn]);
        EXPECT_EQ(notes, c.notes) << "filter \"" << c.filter << "\"";
    }
}

TEST(FoldCase, LowersTheLettersOfTheCodePageOnly) {
    EXPECT_EQ(FoldCase("AZaz09-_ \xC0\xDE\xD7\x8A\x8C\x8E\x9F\xDF\xFF"),
              "azaz09-_ \xE0\xFE\xD7\x9A\x9C\x9E\xFF\xDF\xFF");
}

}  // namespace
