// A whole self-upgrade of the real program (its test build): the check finds a newer version
// in a signed information file over https, the wizard downloads the program and its version
// file and checks their hashes, "&OK" ends the program through its normal shutdown, and the
// upgrader replaces exactly those two files and starts the new program. A "*.uTMP" planted in
// the program's folder meanwhile is not applied.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "online/update_wizard_form_win.h"
#include "online/upgrade_question_form_win.h"
#include "online/upgrader_handover_win.h"
#include "platform/folder_listing_win.h"
#include "platform/scoped_win.h"
#include "support/eventually.h"
#include "support/maker_server_client.h"
#include "support/policy_key.h"
#include "support/sha256_hex.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"
#include "upgrader/upgrader_input.h"

namespace {

// The stand-in for the new version records every start in "runs.txt" beside itself.
std::vector<std::string> Runs(const std::string& folder) {
    std::vector<std::string> lines;
    std::istringstream in(wt::FileExists(folder + "runs.txt") ? wt::ReadFileBytes(folder + "runs.txt") : "");
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

bool Writable(const std::string& path) {
    return ScopedFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)).Valid();
}

TEST(SelfUpgrade, DownloadsHandsOverEndsAndTheNewVersionStarts) {
    wt::TempFolder folder{"update_upgrade"};
    const std::string& dir = folder.Path();
    const std::string newProgram = wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\tools\\upgrade_target.exe") +
                                   "the new version's own bytes";
    ASSERT_TRUE(wt::PublishOnMakerServer("/benchmarks/prey/QWK_Lurkmark.exe", newProgram));
    ASSERT_TRUE(wt::PublishOnMakerServer("/benchmarks/prey/version.txt", "1.3"));
    ASSERT_TRUE(wt::PublishOnMakerServer(
        "/benchmarks/prey/qwk_lurkmark.inf?sign=good",
        "#version=1.3\r\n#url1=" + wt::MakerServerSecureUrl("/benchmarks/prey/QWK_Lurkmark.exe") + "\r\n#sha2561=" +
            wt::Sha256Hex(newProgram) + "\r\n#url2=" + wt::MakerServerUrl("/benchmarks/prey/version.txt") +
            "\r\n#sha2562=" + wt::Sha256Hex("1.3") + "\r\n"));
    ASSERT_TRUE(wt::TrustTestAuthority());
    wt::CreateSettingsKey({{"Programversion", "1.2"}});
    wt::WritePolicyValue("MakerUpdateHost", wt::MakerServerSecureHost());
    // The normal shutdown deletes the batch view file.
    wt::WriteFileBytes(dir + "batchview.txt", "view");
    // Another program of the user's has put its own "Upgrader.exe" where the upgrader once went,
    // and holds it open so that it cannot be replaced: it must never run.
    const std::string planted = HandOverParent(dir) + "Upgrader.exe";
    const std::string plantedRecord = HandOverParent(dir) + "runs.txt";
    DeleteFileA(plantedRecord.c_str());
    wt::WriteFileBytes(planted, wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\tools\\upgrade_target.exe"));
    ScopedFile held(CreateFileA(planted.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.Valid());

    {
        wt::StartedProgram app(dir);
        ASSERT_NE(app.main, nullptr);
        wt::Click(app.Control(ctl::RzGroup3));
        wt::Click(app.Control(ctl::RzGroup3Items2));
        wt::PostClick(app.Control(ctl::RzToolButton3));
        HWND question = wt::WaitForWindow(app.program.ProcessId(), "TUpgradeQuestionForm", 20000);
        ASSERT_NE(question, nullptr);
        PostMessageA(question, WM_COMMAND, UpgradeQuestionForm::kYesButton, 0);
        HWND wizard = wt::WaitForWindow(app.program.ProcessId(), "TUpdateWizardForm", 20000);
        ASSERT_NE(wizard, nullptr);
        HWND ok = wt::FindControl(wizard, UpdateWizardForm::kNextButton);
        ASSERT_TRUE(wt::WaitUntil([&] { return IsWindowEnabled(ok) && wt::TextOf(ok) == "&OK"; }, 30000));
        EXPECT_TRUE(wt::FileBecomes(dir + "QWK_Lurkmark.exe.uTMP", newProgram));
        EXPECT_TRUE(wt::FileBecomes(dir + "version.txt.uTMP", "1.3"));
        // Planted by someone else once the downloads are done: the upgrader takes only its list.
        wt::WriteFileBytes(dir + "planted.dll.uTMP", "not from the maker");

        wt::PostClick(ok);
        ASSERT_TRUE(app.program.WaitForExit(15000)) << "the program must end after the hand-over";
        EXPECT_EQ(app.program.ExitCode(), 0u);
    }
    EXPECT_FALSE(wt::FileExists(dir + "batchview.txt")) << "the main window's shutdown ran";

    ASSERT_TRUE(wt::WaitUntil([&] { return !Runs(dir).empty(); }, 20000)) << "the new version did not start";
    EXPECT_EQ(Runs(dir), std::vector<std::string>{"QWK_Lurkmark.exe|/afterupgrade"});
    EXPECT_TRUE(wt::WaitUntil([&] { return Writable(dir + "QWK_Lurkmark.exe"); }));
    EXPECT_EQ(wt::ReadFileBytes(dir + "QWK_Lurkmark.exe"), newProgram);
    EXPECT_EQ(wt::ReadFileBytes(dir + "version.txt"), "1.3");
    EXPECT_EQ(FileNamesIn(dir, "*.uTMP"), std::vector<std::string>{"planted.dll.uTMP"});
    EXPECT_FALSE(wt::FileExists(dir + "planted.dll"));
    EXPECT_FALSE(wt::FileExists(plantedRecord)) << "the planted Upgrader.exe ran";
    held.Reset();
    DeleteFileA(planted.c_str());

    // The upgrader ends right after the start; the next program start would remove it.
    EXPECT_TRUE(wt::WaitUntil([&] {
        DeleteLeftoverUpgrader(dir);
        return HandOverFolders(dir).empty();
    }, 10000));
    wt::DeleteSettingsKey();
    wt::DeletePolicyKey();
}

}  // namespace
