#include "upgrader/upgrader_command.h"

#include <gtest/gtest.h>

#include "upgrader/upgrade_plan.h"

namespace {

using Args = std::vector<std::string>;

TEST(ComposeUpgraderCommandLine, QuotedPathsPlusRestartArgumentAndMethodDigit) {
    EXPECT_EQ(ComposeUpgraderCommandLine("C:\\Temp\\Upgrader.exe", "C:\\Program Files\\Lurkmark\\QWK_Lurkmark.exe",
                                         "/afterupgrade", false),
              "\"C:\\Temp\\Upgrader.exe\" \"C:\\Program Files\\Lurkmark\\QWK_Lurkmark.exe\" +/afterupgrade0");
    EXPECT_EQ(ComposeUpgraderCommandLine("U.exe", "C:\\P.exe", "", true), "\"U.exe\" \"C:\\P.exe\" + 1");
}

TEST(ParseUpgraderArguments, AsTheSystemSplitsTheComposedLine) {
    struct Case {
        Args args;
        const char* path;
        const char* folder;
        const char* restart;
        bool external;
    } cases[] = {
        {{"C:\\Bench\\QWK_Lurkmark.exe", "+/afterupgrade0"}, "C:\\Bench\\QWK_Lurkmark.exe", "C:\\Bench\\",
         "/afterupgrade", false},
        {{"C:\\Program Files\\Lurk +mark\\QWK_Lurkmark.exe", "+/afterupgrade1"},
         "C:\\Program Files\\Lurk +mark\\QWK_Lurkmark.exe", "C:\\Program Files\\Lurk +mark\\", "/afterupgrade", true},
        // An unquoted path arrives in pieces; joining them with blanks restores it.
        {{"C:\\Program", "Files\\Lurkmark\\QWK_Lurkmark.exe", "+/afterupgrade0"},
         "C:\\Program Files\\Lurkmark\\QWK_Lurkmark.exe", "C:\\Program Files\\Lurkmark\\", "/afterupgrade", false},
        {{"C:\\P.exe", "+", "1"}, "C:\\P.exe", "C:\\", " ", true},  // an empty restart argument travels as a blank
    };
    for (const Case& c : cases) {
        const auto command = ParseUpgraderArguments(c.args);
        ASSERT_TRUE(command.has_value()) << c.path;
        EXPECT_EQ(command->programPath, c.path);
        EXPECT_EQ(command->programFolder, c.folder);
        EXPECT_EQ(command->restartArgument, c.restart);
        EXPECT_EQ(command->externalSetup, c.external);
    }
}

TEST(ParseUpgraderArguments, NothingToDoWithoutAProgram) {
    for (const Args& args : {Args{}, Args{""}, Args{"+/afterupgrade0"}, Args{"C:\\P.exe"}, Args{"P.exe", "+x0"}}) {
        EXPECT_FALSE(ParseUpgraderArguments(args).has_value()) << args.size();
    }
}

TEST(RestartCommandLine, QuotedPathThenTheArgument) {
    EXPECT_EQ(RestartCommandLine("C:\\Program Files\\L\\QWK_Lurkmark.exe", "/afterupgrade"),
              "\"C:\\Program Files\\L\\QWK_Lurkmark.exe\" /afterupgrade");
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
