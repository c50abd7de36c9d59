#include "results/history_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "history_fixtures.h"
#include "results/result_file_reader.h"

namespace {

using history_fixtures::FixtureText;

const char* const kFixtureFiles[] = {"result_12_1_2026_8_00_00_PM.json", "result_12_5_2026_9_15_00_PM.json",
                                     "result_12_8_2026_7_30_00_PM.json", "result_12_9_2026_1_00_00_PM.json",
                                     "result_12_9_2026_10_00_00_AM.json"};

// The fixture folder as an index holds it: three passes (one flagged, one with a named
// computer) and two files that cannot be shown.
std::vector<IndexedFile> FixtureIndex() {
    std::vector<IndexedFile> files;
    std::uint64_t time = 130000000000000000ull;
    for (const char* name : kFixtureFiles) {
        const std::string text = FixtureText(name);
        files.push_back({{name, text.size(), time += 10000000}, ReadHistoryEntry(name, text), true});
    }
    files[0].entry.pass->computerName = "LAB-PC-07";
    files[2].entry.pass->resolutions[0].frameTimes = FrameTimeFigures{};
    files[2].entry.pass->resolutions[0].frameTimes->low1Fps = 97.25;
    return files;
}

TEST(HistoryIndex, GivesBackWhatTheListShowsOfEachPass) {
    const std::vector<IndexedFile> files = FixtureIndex();
    const std::string bytes = EncodeHistoryIndex(files);
    const std::vector<IndexedFile> decoded = DecodeHistoryIndex(bytes);
    ASSERT_EQ(decoded.size(), files.size());
    EXPECT_EQ(EncodeHistoryIndex(decoded), bytes);
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(decoded[i].file.name, files[i].file.name);
        EXPECT_EQ(decoded[i].file.size, files[i].file.size);
        EXPECT_EQ(decoded[i].file.lastWrite, files[i].file.lastWrite);
        EXPECT_EQ(decoded[i].entry.fileName, files[i].entry.fileName);
        EXPECT_EQ(decoded[i].entry.problem, files[i].entry.problem);
        EXPECT_EQ(decoded[i].entry.pass.has_value(), files[i].entry.pass.has_value());
    }
    // The list's table from the index is the table from the files, cell by cell.
    std::vector<HistoryEntry> read, indexed;
    for (const IndexedFile& f : files) read.push_back(f.entry);
    for (const IndexedFile& f : decoded) indexed.push_back(f.entry);
    for (const HistoryView view : {HistoryView::Page, HistoryView::Window}) {
        const HistoryTable fromFiles = BuildHistoryTable(read, ',', view);
        const HistoryTable fromIndex = BuildHistoryTable(indexed, ',', view);
        ASSERT_EQ(fromIndex.columns.size(), fromFiles.columns.size());
        ASSERT_EQ(fromIndex.rows.size(), fromFiles.rows.size());
        for (std::size_t r = 0; r < fromFiles.rows.size(); ++r) {
            EXPECT_EQ(fromIndex.rows[r].cells, fromFiles.rows[r].cells) << r;
            EXPECT_EQ(fromIndex.rows[r].tooltip, fromFiles.rows[r].tooltip) << r;
            EXPECT_EQ(fromIndex.rows[r].greyed, fromFiles.rows[r].greyed) << r;
        }
    }
    const PassSummary& before = *files[2].entry.pass;
    const PassSummary& after = *decoded[2].entry.pass;
    EXPECT_EQ(after.startedUtcSeconds, before.startedUtcSeconds);
    EXPECT_EQ(after.report, before.report);
    EXPECT_EQ(after.resolutions[0].mean, before.resolutions[0].mean);  // every bit of it
    EXPECT_EQ(after.resolutions[1].mean, std::nullopt);
    ASSERT_TRUE(after.resolutions[0].frameTimes);
    EXPECT_EQ(after.resolutions[0].frameTimes->low1Fps, 97.25);
    EXPECT_FALSE(after.resolutions[1].frameTimes) << "no frame times recorded there";
    EXPECT_TRUE(after.HasFlaggedRun());
    EXPECT_FALSE(decoded[1].entry.pass->HasFlaggedRun());
    EXPECT_TRUE(after.machine.empty()) << "what the list does not show is read from the file when needed";
    EXPECT_EQ(decoded[0].entry.pass->computerName, "LAB-PC-07");
    EXPECT_EQ(decoded[3].entry.problem, files[3].entry.problem);
}

TEST(HistoryIndex, LeavesOutFilesThatCouldNotBeOpened) {
    std::vector<IndexedFile> files = FixtureIndex();
    files[1] = {{"result_locked.json", 10, 20}, {"result_locked.json", std::nullopt, "the file cannot be read"}, false};
    const std::vector<IndexedFile> decoded = DecodeHistoryIndex(EncodeHistoryIndex(files));
    ASSERT_EQ(decoded.size(), files.size() - 1);
    for (const IndexedFile& f : decoded) EXPECT_NE(f.file.name, "result_locked.json");
}

TEST(HistoryIndex, IgnoresAnIndexThatIsNotWhole) {
    const std::string bytes = EncodeHistoryIndex(FixtureIndex());
    const std::size_t nameAt = bytes.find("result_12_5");
    std::string flipped = bytes;
    flipped[nameAt + 8] ^= 0x01;
    std::string olderVersion = bytes;
    olderVersion[sizeof "Lurkmark results index " - 1] = '1';  // without the 1 % low: read the files again
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"another program's file", "{\"format\": \"lurkmark-result\"}"},
        {"cut off in a record", bytes.substr(0, bytes.size() / 2)},
        {"cut off in the check sum", bytes.substr(0, bytes.size() - 3)},
        {"without its check sum", bytes.substr(0, bytes.rfind("\r\nsum "))},
        {"a byte changed", flipped},
        {"an older version", olderVersion},
        {"something after the end", bytes + "x"},
        {"a count beyond the bytes", "Lurkmark results index 2\r\n999999999;\r\nsum 0;"},
    };
    for (const auto& c : cases) EXPECT_TRUE(DecodeHistoryIndex(c.bytes).empty()) << c.name;
    EXPECT_EQ(DecodeHistoryIndex(bytes).size(), 5u);
}

// A record whose check sum holds but whose fields do not: the sum is made to fit.
TEST(HistoryIndex, IgnoresRecordsOfAnotherShapeEvenWithAFittingSum) {
    const std::string head = "Lurkmark results index 2\r\n";
    const std::string good = head + "1;6:a.json10;20;0;9:malformed";
    ASSERT_EQ(DecodeHistoryIndex(SealHistoryIndex(good)).size(), 1u);
    for (const std::string& body :
         {head + "1;6:a.json10;20;2;9:malformed", head + "1;6:a.json10;20;0;0:", head + "1;6:a.json-10;20;0;1:x",
          head + "1;60:a.json10;20;0;1:x", head + "2;6:a.json10;20;0;1:x", head + "1;6:a.json10;20;1;3:1.0"}) {
        EXPECT_TRUE(DecodeHistoryIndex(SealHistoryIndex(body)).empty()) << body;
    }
}

// A count no larger than the bytes left, but more than those bytes could hold, is refused
// before anything is made for it: an index of 40 MB counting twenty million files once kept
// the list shut for good.
TEST(HistoryIndex, RefusesCountsTheBytesCannotHold) {
    const std::string head = "Lurkmark results index 2\r\n";
    const std::string started = "2026-12-01T20:00:00+01:00";
    // One file with one pass, one resolution, one flagged run and one flag; each count is "1;".
    auto file = [&](const char* resolutions, const char* runs, const char* flags, std::size_t padding) {
        return head + "1;6:a.json10;20;1;25:" + started + std::to_string(*UtcSecondsOf(started)) +
               ";5:r.htm0:0:0:0:1;" + resolutions + "4:hdw11:x1;1;-;-;" + runs + "1;" + flags + "1:c1:t" +
               std::string(padding, ' ');
    };
    const std::vector<IndexedFile> one = DecodeHistoryIndex(SealHistoryIndex(file("1;", "1;", "1;", 0)));
    ASSERT_EQ(one.size(), 1u);
    ASSERT_TRUE(one[0].entry.pass);
    EXPECT_EQ(one[0].entry.pass->resolutions.at(0).runs.at(0).flags.at(0).text, "t");

    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"files", SealHistoryIndex(head + "20000000;" + std::string(40000000, ' '))},
        {"resolutions", SealHistoryIndex(file("1000000;", "1;", "1;", 2000000))},
        {"flagged runs", SealHistoryIndex(file("1;", "1000000;", "1;", 2000000))},
        {"flags", SealHistoryIndex(file("1;", "1;", "1000000;", 2000000))},
    };
    for (const auto& c : cases) EXPECT_TRUE(DecodeHistoryIndex(c.bytes).empty()) << c.name;
}

// Only a temporary file of ours that a program left long ago is removed: the folder is
// shared, and another PC may be writing its own at this moment.
TEST(HistoryIndex, KnowsTheTemporaryFilesLeftBehind) {
    const std::uint64_t now = 134000000000000000ull;
    const std::uint64_t day = 24ull * 60 * 60 * 10000000;
    const std::string begun = EncodeHistoryIndex(FixtureIndex()).substr(0, IndexTemporaryBytesToCheck());
    const struct {
        const char* name;
        std::uint64_t lastWrite;
        std::string start;
        bool leftOver;
    } cases[] = {
        {"lrkA1F0.tmp", now - 2 * day, begun, true},
        {"lrk7.tmp", now - 2 * day, "", true},
        {"lrkb2.tmp", now - 2 * day, begun.substr(0, 5), true},
        {"lrkA1F0.tmp", now - day / 2, begun, false},  // being written now
        {"lrkA1F0.tmp", now + 2 * day, begun, false},  // a clock ahead
        {"lrkA1F0.tmp", now - 2 * day, "MZ", false},   // another program's
        {"lrk.tmp", now - 2 * day, "", false},
        {"lrk12345.tmp", now - 2 * day, "", false},
        {"lrkXY.tmp", now - 2 * day, "", false},
        {"lrk1.tmp.json", now - 2 * day, "", false},
        {"abc1.tmp", now - 2 * day, "", false},
        {"Lurkmark results.index", now - 2 * day, begun, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsLeftOverIndexTemporary(c.name, c.lastWrite, now, c.start), c.leftOver)
            << c.name << " " << c.start.size();
    }
}

// Anyone may write the index of a shared folder: what the data file's reader refuses, the
// index may not bring in.
TEST(HistoryIndex, RefusesPassesTheReaderWouldRefuse) {
    const struct {
        const char* name;
        void (*forge)(PassSummary&);
    } cases[] = {
        {"a report outside the folder", [](PassSummary& p) { p.report = "..\\..\\Windows\\evil.htm"; }},
        {"a report that is a program", [](PassSummary& p) { p.report = "result.exe"; }},
        {"a mean that is not a number", [](PassSummary& p) { p.resolutions[0].mean = std::nan(""); }},
        {"a negative mean", [](PassSummary& p) { p.resolutions[0].mean = -1.0; }},
        {"a 1 % low that is not a number",
         [](PassSummary& p) { p.resolutions[0].frameTimes = FrameTimeFigures{0, 0, 0, 0, std::nan("")}; }},
        {"a negative 1 % low",
         [](PassSummary& p) { p.resolutions[0].frameTimes = FrameTimeFigures{0, 0, 0, 0, -5.0}; }},
        {"a start that is not a date", [](PassSummary& p) { p.started = "yesterday"; }},
        {"a start that does not match its moment", [](PassSummary& p) { p.startedUtcSeconds += 1; }},
        {"no width", [](PassSummary& p) { p.resolutions[0].width = 0; }},
    };
    for (const auto& c : cases) {
        std::vector<IndexedFile> files = FixtureIndex();
        c.forge(*files[1].entry.pass);
        EXPECT_TRUE(DecodeHistoryIndex(EncodeHistoryIndex(files)).empty()) << c.name;
    }
}

TEST(RefreshHistory, ReadsOnlyWhatTheIndexCannotAnswerFor) {
    const std::vector<IndexedFile> index = FixtureIndex();
    std::vector<ListedFile> listed;
    for (const IndexedFile& f : index) listed.push_back(f.file);
    auto changed = [](ListedFile f, std::uint64_t size, std::uint64_t time) {
        f.size = size;
        f.lastWrite = time;
        return f;
    };
    const ListedFile arrived{"result_new.json", 100, 1};
    const ListedFile locked{"result_locked.json", 100, 1};
    const struct {
        const char* name;
        std::vector<ListedFile> listing;
        std::vector<std::string> read;  // the files read, in order
        bool indexChanged;
    } cases[] = {
        {"nothing changed", listed, {}, false},
        {"a pass arrived", {listed[0], arrived, listed[1], listed[2], listed[3], listed[4]}, {"result_new.json"}, true},
        {"a pass was removed", {listed[0], listed[2], listed[3], listed[4]}, {}, true},
        {"a file grew", {changed(listed[0], 1, listed[0].lastWrite), listed[1], listed[2], listed[3], listed[4]},
         {kFixtureFiles[0]}, true},
        {"a file was written again",
         {listed[0], changed(listed[1], listed[1].size, 5), listed[2], listed[3], listed[4]},
         {kFixtureFiles[1]},
         true},
        {"a file cannot be opened", {listed[0], listed[1], listed[2], listed[3], listed[4], locked},
         {"result_locked.json"}, false},
        {"the folder is empty", {}, {}, true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> read;
        const HistoryRefresh refresh = RefreshHistory(c.listing, index, [&](const ListedFile& f) {
            read.push_back(f.name);
            const bool opened = f.name != locked.name;
            return IndexedFile{f, {f.name, std::nullopt, opened ? "malformed: fresh" : "cannot be read"}, opened};
        });
        EXPECT_EQ(read, c.read) << c.name;
        EXPECT_EQ(refresh.indexChanged, c.indexChanged) << c.name;
        ASSERT_EQ(refresh.files.size(), c.listing.size()) << c.name;
        for (std::size_t i = 0; i < c.listing.size(); ++i) {
            EXPECT_EQ(refresh.files[i].file.name, c.listing[i].name) << c.name;
            EXPECT_EQ(refresh.files[i].file.size, c.listing[i].size) << c.name;
            EXPECT_EQ(refresh.files[i].file.lastWrite, c.listing[i].lastWrite) << c.name;
            const bool fresh = std::find(c.read.begin(), c.read.end(), c.listing[i].name) != c.read.end();
            EXPECT_EQ(refresh.files[i].entry.problem == "malformed: fresh" || !refresh.files[i].keep, fresh)
                << c.name << ": " << c.listing[i].name;
        }
    }
}

TEST(RefreshHistory, ReadsANameTheIndexHoldsTwiceOnlyOnce) {
    std::vector<IndexedFile> index = FixtureIndex();
    index.push_back(index[0]);
    int reads = 0;
    const HistoryRefresh refresh = RefreshHistory({index[0].file}, index, [&](const ListedFile& f) {
        ++reads;
        return IndexedFile{f, {f.name, std::nullopt, "x"}, true};
    });
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(refresh.indexChanged);
    ASSERT_EQ(refresh.files.size(), 1u);
    EXPECT_TRUE(refresh.files[0].entry.pass);
}

}  // namespace
