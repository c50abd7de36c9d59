// The results folder read through its index, on real files: the list always holds exactly the
// data files the folder holds, whatever the index says, while others write to the folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/scoped_win.h"
#include "results/history_index.h"
#include "results/pass_history_win.h"
#include "support/held_file.h"
#include "support/wine_test_support.h"

namespace {

std::string Fixture() {
    return wt::ReadFileBytes(wt::Env("LURK_FIXTURES_DIR") + "\\history\\result_12_1_2026_8_00_00_PM.json");
}

std::string WithNote(const std::string& note) {
    std::string text = Fixture();
    const std::string old = "\"note\": \"stock clocks\"";
    return text.replace(text.find(old), old.size(), "\"note\": \"" + note + "\"");
}

// File name and note of each entry, sorted.
std::set<std::string> Listed(const std::vector<HistoryEntry>& entries) {
    std::set<std::string> listed;
    for (const HistoryEntry& e : entries) listed.insert(e.fileName + "|" + (e.pass ? e.pass->note : e.problem));
    return listed;
}

TEST(HistoryFolder, ListsWhatTheFolderHoldsWhateverTheIndexSays) {
    wt::TempFolder folder{"hf_index"};
    const std::string dir = folder.Path();
    const std::string index = dir + kHistoryIndexFileName;
    wt::WriteFileBytes(dir + "result_a.json", WithNote("a"));
    wt::WriteFileBytes(dir + "result_b.json", WithNote("b"));
    wt::WriteFileBytes(dir + "result_c.json", "{not json");
    const std::string broken = "result_c.json|malformed: Missing a name for object member. (at byte 1)";
    const std::set<std::string> first = {"result_a.json|a", "result_b.json|b", broken};
    EXPECT_EQ(Listed(ReadHistoryFolder(dir)), first);
    ASSERT_FALSE(DecodeHistoryIndex(wt::ReadFileBytes(index)).empty()) << "the index is written";
    EXPECT_EQ(Listed(ReadHistoryFolder(dir)), first) << "the same through the index";

    // Removed, arrived and rewritten files, with the index as it was.
    DeleteFileA((dir + "result_a.json").c_str());
    wt::WriteFileBytes(dir + "result_d.json", WithNote("d"));
    wt::WriteFileBytes(dir + "result_b.json", WithNote("b, written again"));
    const std::set<std::string> changed = {"result_b.json|b, written again", broken, "result_d.json|d"};
    EXPECT_EQ(Listed(ReadHistoryFolder(dir)), changed);

    // An index another program wrote, cut short, or of no use at all.
    const std::string whole = wt::ReadFileBytes(index);
    for (const std::string& bad : {std::string("garbage"), whole.substr(0, whole.size() / 2), std::string()}) {
        wt::WriteFileBytes(index, bad);
        EXPECT_EQ(Listed(ReadHistoryFolder(dir)), changed) << bad.size() << " bytes";
        EXPECT_FALSE(DecodeHistoryIndex(wt::ReadFileBytes(index)).empty()) << "written again";
    }

    // An index that cannot be replaced (held open by a reader elsewhere) costs nothing.
    {
        const wt::HeldFile held(index, "read");
        ASSERT_TRUE(held.Held());
        wt::WriteFileBytes(dir + "result_e.json", WithNote("e"));
        std::set<std::string> withE = changed;
        withE.insert("result_e.json|e");
        EXPECT_EQ(Listed(ReadHistoryFolder(dir)), withE);
    }
    EXPECT_EQ(wt::CountFiles(dir + "*.tmp"), 0) << "no file of an index left behind";
}

TEST(HistoryFolder, ReadsAFolderOfManyNewFilesWholeAndEachOnce) {
    wt::TempFolder folder{"hf_many"};
    const std::string dir = folder.Path();
    std::set<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        const std::string name = "result_" + std::to_string(i) + ".json";
        wt::WriteFileBytes(dir + name, i % 50 == 7 ? "{" : WithNote("pass " + std::to_string(i)));
        expected.insert(name + "|" + (i % 50 == 7 ? "malformed: Missing a name for object member. (at byte 1)"
                                                 : "pass " + std::to_string(i)));
    }
    const std::vector<HistoryEntry> entries = ReadHistoryFolder(dir);
    EXPECT_EQ(entries.size(), 300u);
    EXPECT_EQ(Listed(entries), expected);
    EXPECT_EQ(DecodeHistoryIndex(wt::ReadFileBytes(dir + kHistoryIndexFileName)).size(), 300u);
}

TEST(HistoryFolder, StaysExactWhileOthersWriteTheFolderAndItsIndex) {
    wt::TempFolder folder{"hf_writers"};
    const std::string dir = folder.Path();
    // Each file carries its own note, "n" and its number: an entry read from another file's
    // data, or from a torn index line, shows.
    const auto name = [](int i) { return "result_" + std::to_string(i) + ".json"; };
    const auto noteOf = [](const std::string& fileName) {
        return "n" + fileName.substr(7, fileName.size() - 7 - 5);
    };
    for (int i = 0; i < 20; ++i) wt::WriteFileBytes(dir + name(i), WithNote(noteOf(name(i))));
    std::atomic<bool> writing{true};
    std::atomic<int> strays{0};
    std::atomic<int> checked{0};
    // Two readers stand for two PCs that open the list while a third adds and removes passes.
    auto reader = [&] {
        while (writing) {
            for (const HistoryEntry& e : ReadHistoryFolder(dir)) {
                if (!e.pass) continue;
                ++checked;
                if (e.pass->note != noteOf(e.fileName)) ++strays;
            }
        }
    };
    std::thread one(reader), two(reader);
    for (int i = 20; i < 60; ++i) {
        wt::WriteFileBytes(dir + name(i), WithNote(noteOf(name(i))));
        if (i % 4 == 0) DeleteFileA((dir + name(i - 20)).c_str());
        Sleep(5);
    }
    writing = false;
    one.join();
    two.join();
    EXPECT_EQ(strays, 0);
    EXPECT_GT(checked, 0) << "the readers saw passes to check";
    std::set<std::string> expected;
    for (int i = 0; i < 60; ++i) {
        if (i < 40 && i % 4 == 0) continue;
        expected.insert(name(i) + "|" + noteOf(name(i)));
    }
    EXPECT_EQ(Listed(ReadHistoryFolder(dir)), expected);
    EXPECT_EQ(Listed(ReadHistoryFolder(dir)), expected) << "through the index";
    EXPECT_EQ(wt::CountFiles(dir + "*.tmp"), 0);
}

}  // namespace
