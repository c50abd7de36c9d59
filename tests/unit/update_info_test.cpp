#include "online/update_info.h"

#include <gtest/gtest.h>

namespace {

using Files = std::vector<std::string>;

TEST(ParseUpdateInfo, ReadsEveryKeyOfAFullFile) {
    const UpdateInfo info = ParseUpdateInfo(
        "[Lurkmark]\r\n#version=1.2\r\n#URL1=http://up.example/prey/QWK_Lurkmark.exe\r\n"
        "#url2=http://up.example/prey/version.txt\r\n#Message={New scores table.\r\nFaster start.}\r\n#method=0\r\n");
    EXPECT_EQ(info.version, "1.2");
    EXPECT_EQ(info.files, (Files{"http://up.example/prey/QWK_Lurkmark.exe", "http://up.example/prey/version.txt"}));
    EXPECT_EQ(info.message, "New scores table.\r\nFaster start.");
    EXPECT_EQ(info.method, UpgradeMethod::SelfUpgrade);
}

TEST(ParseUpdateInfo, NumberedAddressesContinueAfterUrlAndUrl0) {
    struct Case {
        const char* text;
        Files files;
    } cases[] = {
        {"#url1=a\n#url2=b\n#url3=c", {"a", "b", "c"}},
        {"#url=a\n#url1=skipped\n#url2=b\n#url3=c", {"a", "b", "c"}},
        {"#url0=a\n#url2=b", {"a", "b"}},
        {"#url=a\n#url0=b\n#url2=skipped\n#url3=c", {"a", "b", "c"}},
        {"#url=\n#url0=a\n#url2=b", {"a", "b"}},          // an empty url is skipped
        {"#url1=a\n#url2=\n#url3=c", {"a"}},              // an empty numbered value ends the list
        {"#url1=a\n#url3=c", {"a"}},                       // so does a gap
        {"#url2=a", {}},
        {"#URL=a\n#Url2=b", {"a", "b"}},
        {"#url1=a\n#url10=j", {"a"}},                      // url1 is not a prefix match of url10
        {"no entries at all", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseUpdateInfo(c.text).files, c.files) << c.text;
    }
}

// A large file is read in one pass, not searched once per address.
TEST(ParseUpdateInfo, ReadsEveryAddressOfAFileOfTensOfThousands) {
    std::string text = "#version=9.0\r\n";
    const int count = 40000;
    for (int n = 1; n <= count; ++n) text += "#url" + std::to_string(n) + "=http://h/f" + std::to_string(n) + "\r\n";
    text += "#message={last}";
    const UpdateInfo info = ParseUpdateInfo(text);
    ASSERT_EQ(info.files.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(info.files.front(), "http://h/f1");
    EXPECT_EQ(info.files.back(), "http://h/f40000");
    EXPECT_EQ(info.version, "9.0");
    EXPECT_EQ(info.message, "last");
}

TEST(FindInfoValue, FirstOccurrenceAnyCaseValueEndsBeforeAControlCharacter) {
    struct Case {
        const char* text;
        const char* key;
        const char* value;
    } cases[] = {
        {"#VERSION=2.0\r\n", "version", "2.0"},
        {"#Version=1.5\n#version=9.9\n", "version", "1.5"},     // the first one counts
        {"#version=1.5\tbeta", "version", "1.5"},               // TAB ends the value
        {"#version=1.5", "version", "1.5"},                     // end of text
        {"#version = 1.5", "version", ""},                      // not an entry of key "version"
        {"#version=", "version", ""},
        {"version=1.5", "version", ""},                         // no "#"
        {"#VeRsIoN=Caf\xC9 X", "version", "Caf\xC9 X"},         // value as received, bytes above 127 kept
        {"#x=1#version=3", "version", "3"},                     // anywhere in the text
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindInfoValue(c.text, c.key), c.value) << c.text;
    }
}

TEST(ParseUpdateInfo, MessageRunsBetweenBracesOrToTheEnd) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"#message={Two\r\nlines} #version=2", "Two\r\nlines"},
        {"#MESSAGE={no closing brace\r\n#version=2\r\n", "no closing brace\r\n#version=2\r\n"},
        {"#message={}", ""},
        {"#message={", ""},
        {"#message=plain words\r\nnext", "plain words"},  // without the brace: an ordinary value
        {"#version=2", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseUpdateInfo(c.text).message, c.message) << c.text;
    }
}

TEST(ParseUpdateInfo, MethodFromTheFirstCharacter) {
    struct Case {
        const char* text;
        UpgradeMethod method;
    } cases[] = {
        {"#method=1", UpgradeMethod::UseExternalSetup},
        {"#METHOD=2", UpgradeMethod::RedirectToURL},
        {"#method=12", UpgradeMethod::UseExternalSetup},
        {"#method=0", UpgradeMethod::SelfUpgrade},
        {"#method=3", UpgradeMethod::SelfUpgrade},
        {"#method= 1", UpgradeMethod::SelfUpgrade},
        {"#method=", UpgradeMethod::SelfUpgrade},
        {"", UpgradeMethod::SelfUpgrade},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseUpdateInfo(c.text).method, c.method) << c.text;
    }
}

}  // namespace
