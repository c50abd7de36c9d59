#include "app/compare_command.h"

#include <gtest/gtest.h>

#include <map>

#include "history_fixtures.h"

namespace {

using history_fixtures::FixtureText;

TEST(CompareFilesOf, TakesTheFilesAfterTheSwitch) {
    const struct {
        ArgumentList args;
        std::optional<std::vector<std::string>> files;
    } cases[] = {
        {{"QWK_Lurkmark.exe"}, std::nullopt},
        {{"QWK_Lurkmark.exe", "/BATCH", "a.json"}, std::nullopt},
        {{"QWK_Lurkmark.exe", "/compare"}, std::vector<std::string>{}},
        {{"QWK_Lurkmark.exe", "/COMPARE", "C:\\R\\a.json", "b c.json"},
         std::vector<std::string>{"C:\\R\\a.json", "b c.json"}},
        {{"QWK_Lurkmark.exe", "/COMPARE", "a.json", "/x", "b.json"}, std::vector<std::string>{"a.json"}},
    };
    for (const auto& c : cases) EXPECT_EQ(CompareFilesOf(c.args), c.files) << c.args.size();
}

TEST(ComposeComparison, WritesBesideTheFirstFileOrNamesTheFileAtFault) {
    const std::map<std::string, std::string> disk = {
        {"C:\\Results\\one.json", FixtureText("result_12_1_2026_8_00_00_PM.json")},
        {"D:\\two.json", FixtureText("result_12_8_2026_7_30_00_PM.json")},
        {"D:\\v2.json", FixtureText("result_12_9_2026_10_00_00_AM.json")},
    };
    auto read = [&](const std::string& path, std::string& text) {
        const auto found = disk.find(path);
        if (found == disk.end()) return false;
        text = found->second;
        return true;
    };
    const CaptureReader noCaptures = [](const std::string&, unsigned long long, std::string&) {
        return BoundedRead::NotRead;
    };
    const struct {
        std::vector<std::string> files;
        std::string pagePath;
        std::string error;
    } cases[] = {
        {{"C:\\Results\\one.json", "D:\\two.json"}, "C:\\Results\\compare_STAMP.htm", ""},
        {{"D:\\two.json", "C:\\Results\\one.json"}, "D:\\compare_STAMP.htm", ""},
        {{"C:\\Results\\one.json", "D:\\gone.json"}, "", "The result file D:\\gone.json cannot be read."},
        {{"C:\\Results\\one.json", "D:\\v2.json"},
         "",
         "The result file D:\\v2.json cannot be compared: unknown format version."},
        {{}, "", "Please, name the result files (result_*.json) to compare."},
    };
    for (const auto& c : cases) {
        const Comparison comparison = ComposeComparison(c.files, read, noCaptures, "STAMP", '.');
        EXPECT_EQ(comparison.pagePath, c.pagePath);
        EXPECT_EQ(comparison.error, c.error);
        EXPECT_EQ(comparison.page.empty(), !c.error.empty());
    }
}

}  // namespace
