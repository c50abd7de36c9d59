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

// The index in the bytes another program wrote: its count fits the file's size but not the
// memory, or the whole file is larger than any index need be.
std::string ForgedIndex(const std::string& count, std::size_t padding) {
    return SealHistoryIndex("Lurkmark results index 2\r\n" + count + std::string(padding, ' '));
}

void SetLastWrite(const std::string& path, std::uint64_t hoursAgo) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t then =
        ((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime) - hoursAgo * 3600 * 10000000ull;
    const FILETIME time{static_cast<DWORD>(then), static_cast<DWORD>(then >> 32)};
    ScopedFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file && SetFileTime(file.Get(), nullptr, nullptr, &time)) << path;
}

// An index no list can use never shuts the list: it is read as no index and written again.
TEST(HistoryFolder, RebuildsAnIndexItCannotUse) {
    wt::TempFolder folder{"hf_forged"};
    const std::string dir = folder.Path();
    const std::string index = dir + kHistoryIndexFileName;
    wt::WriteFileBytes(dir + "result_a.json", WithNote("a"));
    wt::WriteFileBytes(dir + "result_b.json", WithNote("b"));
    const std::set<std::string> both = {"result_a.json|a", "result_b.json|b"};
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"twenty million files in 40 MB", ForgedIndex("20000000;", 40000000)},
        {"a million files in 4 MB", ForgedIndex("1000000;", 4000000)},
    };
    for (const auto& c : cases) {
        wt::WriteFileBytes(index, c.bytes);
        EXPECT_EQ(Listed(ReadHistoryFolder(dir)), both) << c.name;
        EXPECT_EQ(DecodeHistoryIndex(wt::ReadFileBytes(index)).size(), 2u) << c.name << ": written again";
        EXPECT_EQ(Listed(ReadHistoryFolder(dir)), both) << c.name << ": through the new index";
    }
}

// A program that ended while it wrote the index left its temporary file: the next one that
// writes the index removes it, and only it: not a file another PC writes now, nor another
// program's file.
TEST(HistoryFolder, RemovesOnlyTheTemporaryFilesLeftLongAgo) {
    wt::TempFolder folder{"hf_leftover"};
    const std::string dir = folder.Path();
    const std::string begun = "Lurkmark results index 2\r\n3;";
    const struct {
        const char* name;
        std::string bytes;
        std::uint64_t hoursAgo;
        bool removed;
    } files[] = {
        {"lrk1A2B.tmp", begun, 48, true},
        {"lrkC3.tmp", "", 30, true},
        {"lrk9.tmp", begun, 0, false},
        {"lrkFF.tmp", "another program's", 48, false},
        {"other.tmp", "", 48, false},
    };
    for (const auto& f : files) {
        wt::WriteFileBytes(dir + f.name, f.bytes);
        SetLastWrite(dir + f.name, f.hoursAgo);
    }
    wt::WriteFileBytes(dir + "result_a.json", WithNote("a"));
    EXPECT_EQ(Listed(ReadHistoryFolder(dir)), std::set<std::string>{"result_a.json|a"});
    ASSERT_EQ(DecodeHistoryIndex(wt::ReadFileBytes(dir + kHistoryIndexFileName)).size(), 1u);
    for (const auto& f : files) EXPECT_EQ(wt::FileExists(dir + f.name), !f.removed) << f.name;
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
