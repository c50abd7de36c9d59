#include "upgrader/upgrader_command.h"

#include <gtest/gtest.h>

#include <cctype>

#include "online/download_address.h"
#include "upgrader/upgrade_plan.h"
#include "upgrader/upgrader_input.h"

namespace {

const std::string kHash = "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";

TEST(ComposeUpgraderCommandLine, QuotedPathsProcessIdRestartArgumentAndMethodDigit) {
    EXPECT_EQ(ComposeUpgraderCommandLine("C:\\Temp\\Upgrader.exe", 1234,
                                         "C:\\Program Files\\Lurkmark\\QWK_Lurkmark.exe", "/afterupgrade", false),
              "\"C:\\Temp\\Upgrader.exe\" 1234 \"C:\\Program Files\\Lurkmark\\QWK_Lurkmark.exe\" +/afterupgrade0");
    EXPECT_EQ(ComposeUpgraderCommandLine("U.exe", 7, "C:\\P.exe", "", true), "\"U.exe\" 7 \"C:\\P.exe\" + 1");
}

// The upgrader reads exactly what the program composes.
TEST(ParseUpgraderCommandLine, ReadsTheComposedLine) {
    struct Case {
        std::string line;
        unsigned long id;
        bool elevated;
        const char* path;
        const char* folder;
        const char* restart;
        bool external;
    } cases[] = {
        {ComposeUpgraderCommandLine("C:\\T\\Upgrader.exe", 4242, "C:\\Bench\\QWK_Lurkmark.exe", "/afterupgrade", false),
         4242, false, "C:\\Bench\\QWK_Lurkmark.exe", "C:\\Bench\\", "/afterupgrade", false},
        {ComposeUpgraderCommandLine("C:\\My Temp\\Upgrader.exe", 1, "C:\\Program Files\\Lurk +mark\\Q.exe",
                                    "/afterupgrade", true),
         1, false, "C:\\Program Files\\Lurk +mark\\Q.exe", "C:\\Program Files\\Lurk +mark\\", "/afterupgrade", true},
        {"Upgrader.exe E99 \"C:\\P.exe\" + 1", 99, true, "C:\\P.exe", "C:\\", " ", true},
    };
    for (const Case& c : cases) {
        UpgraderArguments args;
        ASSERT_TRUE(ParseUpgraderCommandLine(SkipProgramName(c.line.c_str()), &args)) << c.line;
        EXPECT_EQ(args.programProcessId, c.id);
        EXPECT_EQ(args.elevated, c.elevated);
        EXPECT_STREQ(args.programPath, c.path);
        EXPECT_STREQ(args.programFolder, c.folder);
        EXPECT_STREQ(args.restartArgument, c.restart);
        EXPECT_EQ(args.externalSetup, c.external);
    }
}

TEST(ParseUpgraderCommandLine, NothingToDoWithoutAProcessAndAProgram) {
    const std::string longPath(2000, 'a');
    for (const std::string text : std::vector<std::string>{"", "+/afterupgrade0", "\"C:\\P.exe\" +x0", "12 C:\\P.exe +x0", "12 \"C:\\P.exe\" +x", "12 \"P.exe\" +x0",
          "12 \"C:\\P.exe\"+x0", "99999999999 \"C:\\P.exe\" +x0", "12 \"C:\\" + longPath + "\" +x0",
          "12 \"C:\\P.exe +x0"}) {
        UpgraderArguments args;
        EXPECT_FALSE(ParseUpgraderCommandLine(text.c_str(), &args)) << text;
    }
}

std::vector<std::string> ReadList(const std::string& text, bool* malformed = nullptr) {
    std::vector<std::string> lines;
    const char* cursor = text.c_str();
    UpgradeEntry entry;
    for (UpgradeListLine line; (line = NextUpgradeEntry(&cursor, &entry)) != kListEnd;) {
        if (line == kListMalformed) {
            if (malformed) *malformed = true;
            break;
        }
        lines.push_back(std::string(entry.setup ? "S " : "F ") + entry.sha256 + " " + entry.temporaryName + " > " +
                        entry.targetName);
    }
    return lines;
}

TEST(UpgradeList, TheUpgraderReadsBackWhatTheProgramWrites) {
    UpgradePlan plan = PlanUpgrade({"data.pk4.uTMP", "setup.exe.uTMP"}, "QWK_Lurkmark.exe", true);
    plan.replacements[0].sha256 = kHash;
    plan.replacements[1].sha256 = kHash;
    bool malformed = false;
    EXPECT_EQ(ReadList(ComposeUpgradeList(plan), &malformed),
              (std::vector<std::string>{"F " + kHash + " data.pk4.uTMP > data.pk4",
                                        "S " + kHash + " setup.exe.uTMP > setup.exe"}));
    EXPECT_FALSE(malformed);
    // Upper-case hex is read as lower case; LF alone and blank lines are fine.
    std::string upper = kHash;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(ReadList("\nF|" + upper + "|a.uTMP|a\n\n"), std::vector<std::string>{"F " + kHash + " a.uTMP > a"});
}

TEST(UpgradeList, DownloadsElsewhereAreNamedInTheFirstLine) {
    UpgradePlan plan = PlanUpgrade({"a.dll.uTMP"}, "QWK_Lurkmark.exe", false);
    plan.replacements[0].sha256 = kHash;
    plan.downloadFolder = "C:\\Users\\Ann\\AppData\\Local\\Temp\\Lurkmark update\\";
    const std::string list = ComposeUpgradeList(plan);
    const char* cursor = list.c_str();
    char folder[kUpgraderTextMax];
    ASSERT_TRUE(ReadDownloadFolder(&cursor, folder));
    EXPECT_STREQ(folder, plan.downloadFolder.c_str());
    EXPECT_EQ(ReadList(cursor), std::vector<std::string>{"F " + kHash + " a.dll.uTMP > a.dll"});

    const std::string plain = "F|" + kHash + "|a|b\r\n";
    cursor = plain.c_str();
    ASSERT_TRUE(ReadDownloadFolder(&cursor, folder));
    EXPECT_STREQ(folder, "");
    EXPECT_EQ(cursor, plain.c_str());
    for (const std::string bad : std::vector<std::string>{"D|relative\\", "D|C:\\no-backslash", "D|C:\\a\\..\\b\\",
                                                         "D|", "D|C:\\a|b\\"}) {
        cursor = bad.c_str();
        EXPECT_FALSE(ReadDownloadFolder(&cursor, folder)) << bad;
    }
    cursor = "D|\\\\server\\share\\\r\n";
    EXPECT_TRUE(ReadDownloadFolder(&cursor, folder));
    EXPECT_STREQ(folder, "\\\\server\\share\\");
}

// A line that would write outside the program's folder, or without a full hash, ends the list.
TEST(UpgradeList, RefusesLinesThatAreNotPlainFilesWithAHash) {
    for (const std::string line :
         {"X|" + kHash + "|a.uTMP|a", "F|" + kHash.substr(1) + "|a.uTMP|a", "F|" + kHash + "|..\\a.uTMP|a",
          "F|" + kHash + "|a.uTMP|..", "F|" + kHash + "|a.uTMP|C:\\Windows\\a.dll", "F|" + kHash + "|a.uTMP|sub/a",
          "F|" + kHash + "||a", "F|" + kHash + "|a.uTMP|", "F|" + kHash + "|a.uTMP", "F|" + kHash.substr(0, 63) + "g|a|b",
          "F|" + kHash + "|a.uTMP|" + std::string(300, 'n')}) {
        bool malformed = false;
        EXPECT_TRUE(ReadList(line + "\r\n", &malformed).empty()) << line;
        EXPECT_TRUE(malformed) << line;
    }
}

// The list reader and the download side share one rule: a name Windows would turn into another
// file or a device is refused on both sides, a near miss passes on both.
TEST(UpgradeList, RefusesAndAcceptsTheNamesTheDownloadSideDoes) {
    const struct {
        const char* name;
        bool plain;
    } cases[] = {
        {"trailing.", false}, {"trailing ", false}, {"nul", false},     {"CON.txt", false},  {"con .txt", false},
        {"lpt1.exe", false},  {"Com9", false},      {"AUX.dll", false}, {"a..b.exe", false}, {"PRN", false},
        {"console.txt", true}, {"COM10", true},     {"lpt.exe", true},  {"a.b.c", true},     {"nul_file", true},
        // Superscript digits (code page 1252) name the same ports; other high bytes do not.
        {"COM\xB9", false},    {"lpt\xB2.txt", false}, {"Com\xB3 .exe", false}, {"COM\xB4", true}, {"LPT\xBC", true},
        {"COM\xB9\xB9", true},
    };
    for (const auto& c : cases) {
        const std::string name = c.name;
        EXPECT_EQ(TemporaryFileFor("C:\\P\\", "https://up.example/" + name).has_value(), c.plain) << name;
        for (const std::string line : {"F|" + kHash + "|" + name + "|x.dll", "F|" + kHash + "|x.uTMP|" + name}) {
            bool malformed = false;
            EXPECT_EQ(ReadList(line + "\r\n", &malformed).size(), c.plain ? 1u : 0u) << line;
            EXPECT_EQ(malformed, !c.plain) << line;
        }
    }
}

std::vector<std::string> Targets(const UpgradePlan& plan) {
    std::vector<std::string> lines;
    for (const FileReplacement& r : plan.replacements) lines.push_back(r.temporaryName + " > " + r.targetName);
    return lines;
}

TEST(PlanUpgrade, SelfUpgradeGivesTheFirstExeTheProgramsName) {
    const UpgradePlan plan =
        PlanUpgrade({"version.txt.uTMP", "Lurkmark2.EXE.uTMP", "tool.exe.uTMP"}, "QWK_Lurkmark.exe", false);
    EXPECT_EQ(Targets(plan), (std::vector<std::string>{"version.txt.uTMP > version.txt",
                                                       "Lurkmark2.EXE.uTMP > QWK_Lurkmark.exe",
                                                       "tool.exe.uTMP > tool.exe"}));
    EXPECT_EQ(plan.setupName, "");
}

TEST(PlanUpgrade, ADownloadedProgramKeepsEveryNameAsItIs) {
    const UpgradePlan plan = PlanUpgrade({"tool.exe.uTMP", "qwk_lurkmark.exe.UTMP"}, "QWK_Lurkmark.exe", true);
    EXPECT_EQ(Targets(plan), (std::vector<std::string>{"tool.exe.uTMP > tool.exe",
                                                       "qwk_lurkmark.exe.UTMP > qwk_lurkmark.exe"}));
    EXPECT_EQ(plan.setupName, "");
}

TEST(PlanUpgrade, ExternalSetupRunsTheFirstExe) {
    const UpgradePlan plan = PlanUpgrade({"data.pk4.uTMP", "setup.exe.uTMP", "other.exe.uTMP"}, "QWK_Lurkmark.exe", true);
    EXPECT_EQ(Targets(plan), (std::vector<std::string>{"data.pk4.uTMP > data.pk4", "setup.exe.uTMP > setup.exe",
                                                       "other.exe.uTMP > other.exe"}));
    EXPECT_EQ(plan.setupName, "setup.exe");
}

TEST(PlanUpgrade, SkipsNamesThatAreNotTemporaryFiles) {
    const UpgradePlan plan = PlanUpgrade({".uTMP", "a.uTMPx", "b.txt.utmp"}, "P.exe", false);
    EXPECT_EQ(Targets(plan), std::vector<std::string>{"b.txt.utmp > b.txt"});
}

}  // namespace
