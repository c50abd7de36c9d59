// The elevated upgrader (the copy that copies the files into a protected folder) acts only on
// what the maker signed: the list and the downloads lie in the user's own folders, and the
// user, or any program of theirs, may change them after the program has checked them. The
// maker's server signs the information files here with the tests' key; the upgrader built with
// that key is the one the test program carries.
#include <gtest/gtest.h>

#include "support/maker_server_client.h"
#include "support/sha256_hex.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"
#include "upgrader/upgrade_plan.h"
#include "upgrader/upgrader_command.h"

namespace {

const std::string kNewProgram = "the new program's bytes";
const std::string kNewVersion = "1.3";

class ElevatedUpgrader : public ::testing::Test {
protected:
    void SetUp() override {
        wt::WriteFileBytes(Program(), "the old program");
        wt::WriteFileBytes(dir_.Path() + "version.txt", "1.2");
        CreateDirectoryA(Staging().c_str(), nullptr);
        wt::WriteFileBytes(Staging() + "QWK_Lurkmark.exe.uTMP", kNewProgram);
        wt::WriteFileBytes(Staging() + "version.txt.uTMP", kNewVersion);
    }

    std::string Program() const { return dir_.Path() + "QWK_Lurkmark.exe"; }
    std::string Staging() const { return dir_.Path() + "staging\\"; }

    // The information file as the maker's server signs it ("bad": one bit of the signature flipped).
    static std::string SignedInformation(const char* sign = "good", const std::string& version = "1.3") {
        const std::string path = "/elevated/qwk_lurkmark.inf";
        const std::string body = "#version=" + version + "\r\n#url1=" + wt::MakerServerSecureUrl("/benchmarks/prey/QWK_Lurkmark.exe") +
                                 "\r\n#sha2561=" + wt::Sha256Hex(kNewProgram) + "\r\n#url2=" +
                                 wt::MakerServerUrl("/benchmarks/prey/version.txt") + "\r\n#sha2562=" +
                                 wt::Sha256Hex(kNewVersion) + "\r\n";
        EXPECT_TRUE(wt::PublishOnMakerServer(path + "?sign=" + sign, body));
        const std::string signedBody = wt::FetchFromMakerServer(path);
        EXPECT_NE(signedBody.find("#signature="), std::string::npos) << signedBody;
        return signedBody;
    }

    // The list the program writes for these two downloads.
    UpgradePlan Plan() const {
        UpgradePlan plan = PlanUpgrade({"QWK_Lurkmark.exe.uTMP", "version.txt.uTMP"}, "QWK_Lurkmark.exe", false);
        plan.replacements[0].sha256 = wt::Sha256Hex(kNewProgram);
        plan.replacements[1].sha256 = wt::Sha256Hex(kNewVersion);
        plan.downloadFolder = Staging();
        return plan;
    }

    // A new folder for each hand-over, as the program makes one: nothing of an upgrader that
    // ran before (a file Wine still holds for a moment after its end) is in the way.
    std::string HandOverFolder(const UpgradePlan& plan, const std::string& information) {
        const std::string handOver = dir_.Path() + "handover" + std::to_string(++handOvers_) + "\\";
        EXPECT_TRUE(CreateDirectoryA(handOver.c_str(), nullptr)) << handOver;
        wt::WriteFileBytes(handOver + "Upgrader.exe",
                           wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\..\\upgrader-test\\Upgrader.exe"));
        wt::WriteFileBytes(handOver + "Upgrader.lst", ComposeUpgradeList(plan));
        wt::WriteFileBytes(handOver + "Upgrader.inf", information);
        return handOver;
    }

    // The text of the next "Lurkmark Upgrader" box (not yet answered), or "" when the upgrader
    // ended first; an upgrader that does neither is a failure.
    static std::string NextBox(wt::RunningProgram& upgrader, HWND& box) {
        box = nullptr;
        wt::WaitUntil([&] {
            box = FindWindowA("#32770", "Lurkmark Upgrader");
            return box != nullptr || upgrader.WaitForExit(0);
        }, 30000);
        return box ? wt::TextOf(GetDlgItem(box, 0xFFFF)) : "";
    }

    static void Answer(HWND box) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        wt::WaitUntil([&] { return !IsWindow(box); }, 30000);
    }

    // Runs the elevated copy as the unelevated one starts it ("E" before the process id) with
    // this list and information file beside it; the text of its closing box (answered), or ""
    // when it showed none. exitCode: how it ended.
    std::string RunElevated(const UpgradePlan& plan, const std::string& information, DWORD& exitCode) {
        const std::string handOver = HandOverFolder(plan, information);
        std::string commandLine =
            ComposeUpgraderCommandLine(handOver + "Upgrader.exe", 0, Program(), "/afterupgrade", false);
        commandLine.insert(commandLine.find("\" 0 \"") + 2, "E");
        wt::RunningProgram upgrader(commandLine, handOver);
        HWND box = nullptr;
        const std::string text = NextBox(upgrader, box);
        if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(upgrader.WaitForExit(30000));
        exitCode = upgrader.ExitCode();
        return text;
    }

    void ExpectNothingApplied() {
        EXPECT_EQ(wt::ReadFileBytes(Program()), "the old program");
        EXPECT_EQ(wt::ReadFileBytes(dir_.Path() + "version.txt"), "1.2");
    }

    wt::TempFolder dir_{"elevated_upgrader"};
    int handOvers_ = 0;
};

TEST_F(ElevatedUpgrader, AppliesTheFilesTheMakerSigned) {
    DWORD exitCode = 1;
    EXPECT_EQ(RunElevated(Plan(), SignedInformation(), exitCode), "");
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(wt::ReadFileBytes(Program()), kNewProgram);
    EXPECT_EQ(wt::ReadFileBytes(dir_.Path() + "version.txt"), kNewVersion);
}

// The list changed after the program's check: another hash with the file that has it, another
// target, another information file, or one whose signature is not the maker's.
TEST_F(ElevatedUpgrader, RefusesAListChangedAfterTheProgramsCheck) {
    const std::string kRefused =
        "The update files were changed after Lurkmark checked them, or are not the ones the maker signed:\r\n"
        "Lurkmark was not updated.";
    const std::string information = SignedInformation();
    struct Case {
        const char* what;
        UpgradePlan plan;
        std::string information;
    };
    UpgradePlan otherHash = Plan();
    wt::WriteFileBytes(Staging() + "evil.exe.uTMP", "a program of someone else's");
    otherHash.replacements[0].temporaryName = "evil.exe.uTMP";
    otherHash.replacements[0].sha256 = wt::Sha256Hex("a program of someone else's");
    UpgradePlan otherTarget = Plan();
    otherTarget.replacements[1].targetName = "bcrypt.dll";
    UpgradePlan extraFile = Plan();
    extraFile.replacements.push_back({"evil.exe.uTMP", "evil.exe", wt::Sha256Hex("a program of someone else's")});
    std::string unsignedInformation = information.substr(0, information.find("#signature="));
    std::string changedInformation = information;
    changedInformation.replace(changedInformation.find("1.3"), 3, "9.9");
    const Case cases[] = {
        {"a hash and file of someone else's", otherHash, information},
        {"another target", otherTarget, information},
        {"a file added", extraFile, information},
        {"no information file", Plan(), ""},
        {"an unsigned information file", Plan(), unsignedInformation},
        {"a changed information file", Plan(), changedInformation},
        {"a wrong signature", Plan(), SignedInformation("bad")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DWORD exitCode = 0;
        EXPECT_EQ(RunElevated(c.plan, c.information, exitCode), kRefused);
        EXPECT_EQ(exitCode, 1u);
        ExpectNothingApplied();
        EXPECT_FALSE(wt::FileExists(dir_.Path() + "bcrypt.dll"));
        EXPECT_FALSE(wt::FileExists(dir_.Path() + "evil.exe"));
    }
}

// A download changed after the program's check: its bytes no longer have the signed hash.
TEST_F(ElevatedUpgrader, RefusesAFileChangedAfterTheProgramsCheck) {
    wt::WriteFileBytes(Staging() + "QWK_Lurkmark.exe.uTMP", "swapped in after the check");
    DWORD exitCode = 0;
    EXPECT_EQ(RunElevated(Plan(), SignedInformation(), exitCode),
              "These files of Lurkmark were not updated:\r\nQWK_Lurkmark.exe (not the published file: not replaced)");
    EXPECT_EQ(exitCode, 1u);
    EXPECT_EQ(wt::ReadFileBytes(Program()), "the old program");
}

// A release the maker once signed stays signed: the elevated copy refuses one that is not
// newer than the program it came with (and so than the program it would replace).
TEST_F(ElevatedUpgrader, RefusesAnUpdateNotNewerThanTheInstalledProgram) {
    const std::string installed = wt::Env("LURK_VERSION");
    for (const std::string& version : {installed, std::string("0.9"), installed + ".0"}) {
        SCOPED_TRACE(version);
        DWORD exitCode = 0;
        EXPECT_EQ(RunElevated(Plan(), SignedInformation("good", version), exitCode),
                  "This update is not newer than the installed Lurkmark (version " + installed +
                      "):\r\nLurkmark was not updated.");
        EXPECT_EQ(exitCode, 1u);
        ExpectNothingApplied();
    }
}

// The unelevated upgrader starts its elevated copy again by its own path, from a folder the
// user may write. From before it announces that it is ready (when the program lets go of the
// files) until that copy has ended, nobody may rename, replace or delete its file, its list or
// the information file: another program put in their place would run with administrator rights.
TEST_F(ElevatedUpgrader, TheHandOverFilesCannotBeSwappedWhileTheElevatedCopyRuns) {
    const std::string handOver = HandOverFolder(Plan(), SignedInformation("good", "0.9"));
    // A program folder that takes no new file: the upgrader asks for elevation.
    const std::string protectedProgram = dir_.Path() + "no such folder\\QWK_Lurkmark.exe";
    wt::RunningProgram upgrader(
        ComposeUpgraderCommandLine(handOver + "Upgrader.exe", 0, protectedProgram, "/afterupgrade", false), handOver);
    HWND box = nullptr;
    ASSERT_EQ(NextBox(upgrader, box),
              "This update is not newer than the installed Lurkmark (version " + wt::Env("LURK_VERSION") +
                  "):\r\nLurkmark was not updated.")
        << "the elevated copy did not run";
    for (const char* name : {"Upgrader.exe", "Upgrader.lst", "Upgrader.inf"}) {
        const std::string path = handOver + name;
        EXPECT_FALSE(MoveFileA(path.c_str(), (path + ".old").c_str())) << name << " could be renamed";
        EXPECT_FALSE(DeleteFileA(path.c_str())) << name << " could be deleted";
        HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << name << " could be opened for writing";
        if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    }
    Answer(box);
    // The program it restarts is not there either; that box ends the run.
    EXPECT_EQ(NextBox(upgrader, box), "Lurkmark could not be started again:\r\n" + protectedProgram);
    if (box) Answer(box);
    EXPECT_TRUE(upgrader.WaitForExit(30000));
    EXPECT_EQ(upgrader.ExitCode(), 1u);
    EXPECT_FALSE(wt::FileExists(handOver + "Upgrader.lst")) << "the list goes once the elevated copy has ended";
}

}  // namespace
