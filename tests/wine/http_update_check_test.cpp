// The update check and downloads of the real program (its test build, which trusts the tests'
// signing key), driven through its update page against the maker's server script (and
// tinyproxy) on 127.0.0.1: the information file over https and signed, the files with their
// hashes; and a hostile server's tricks. One program serves every case here, so that its
// six-second splash is waited for only once.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/control_ids.h"
#include "online/cancel_wait_form_win.h"
#include "online/update_command.h"
#include "online/update_flow.h"
#include "online/update_texts.h"
#include "online/update_wizard_form_win.h"
#include "online/upgrade_question_form_win.h"
#include "platform/folder_listing_win.h"
#include "settings/registry_settings_store_win.h"
#include "support/eventually.h"
#include "support/maker_server_client.h"
#include "support/process_list.h"
#include "support/no_browser.h"
#include "support/policy_key.h"
#include "support/sha256_hex.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"
#include "upgrader/upgrader_input.h"

namespace {

constexpr char kInfoPath[] = "/benchmarks/prey/qwk_lurkmark.inf";
constexpr char kTitle[] = "QWK_Lurkmark";
const std::string kComponentCaption = UpdateText(0);

using Box = wt::MessageBoxSeen;
Box AnswerBox(HWND owner, int button) { return wt::AnswerMessageBox(owner, button); }

std::string FileUrl(const std::string& name, const std::string& query = "", const std::string& host = "127.0.0.1") {
    return wt::MakerServerUrl("/benchmarks/prey/" + name + query, host);
}

// A listed file: its address and the bytes the maker published (whose hash the file lists).
struct Listed {
    std::string url;
    std::string bytes;
};

std::string InfoFile(const std::string& version, const std::vector<Listed>& files) {
    std::string text = "; Lurkmark update\r\n#version=" + version + "\r\n";
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        text += "#url" + n + "=" + files[i].url + "\r\n#sha256" + n + "=" + wt::Sha256Hex(files[i].bytes) + "\r\n";
    }
    return text + "#message={Faster start-up.}\r\n";
}

std::string DebugLog(const std::string& folder) {
    return wt::FileExists(folder + "debug.txt") ? wt::ReadFileBytes(folder + "debug.txt") : "";
}

class UpdateCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<wt::TempFolder>("update_check");
        ASSERT_TRUE(wt::TrustTestAuthority());
        wt::CreateSettingsKey({{"Programversion", "1.2"}});
        wt::WritePolicyValue("MakerUpdateHost", wt::MakerServerSecureHost());
        app_ = std::make_unique<wt::StartedProgram>(folder_->Path());
        if (!app_->main) return;
        wt::Click(app_->Control(ctl::RzGroup3));
        wt::Click(app_->Control(ctl::RzGroup3Items2));
    }
    static void TearDownTestSuite() {
        if (app_->main) {
            EXPECT_TRUE(app_->Exit());
        }
        app_.reset();
        folder_.reset();
        wt::DeleteSettingsKey();
        wt::DeletePolicyKey();
    }
    void SetUp() override {
        ASSERT_NE(app_->main, nullptr);
        ASSERT_TRUE(wt::IsShown(app_->Control(ctl::RzToolButton3)));
        wt::WritePolicyValue("MakerUpdateHost", wt::MakerServerSecureHost());
    }
    void TearDown() override {
        if (wt::IsChecked(app_->Control(ctl::UseProxyBox))) wt::Click(app_->Control(ctl::UseProxyBox));
        EXPECT_TRUE(FileNamesIn(Folder(), "*.uTMP").empty()) << "downloads left behind";
    }

    static const std::string& Folder() { return folder_->Path(); }
    HWND Main() const { return app_->main; }
    // Nothing the program may have started through the shell is still on its way: its click
    // handler has returned (a message sent after it is answered), by then any program it
    // started exists, and every launcher and the planted program have ended. A program that
    // ran has then written its record.
    void WaitForShellStartsToEnd(const std::string& planted) {
        DWORD_PTR answer = 0;
        ASSERT_NE(SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_BLOCK, 30000, &answer), 0) << "the window hangs";
        ASSERT_TRUE(wt::WaitUntil([&] {
            for (const char* name : {"winebrowser.exe", "start.exe", "rundll32.exe", planted.c_str()}) {
                if (!wt::ProcessesNamed(name).empty()) return false;
            }
            return true;
        }, 30000)) << "a started program is still running";
    }
    void PressUpdate() { wt::PostClick(app_->Control(ctl::RzToolButton3)); }
    static void Publish(const std::string& pathAndQuery, const std::string& body) {
        ASSERT_TRUE(wt::PublishOnMakerServer(pathAndQuery, body)) << pathAndQuery;
    }
    // The information file as the maker publishes it: signed ("bad": one bit of the signature
    // flipped). The query's answer modes apply to it as to any published answer.
    static void PublishInfo(const std::string& body, const std::string& query = "", const char* sign = "good") {
        Publish(std::string(kInfoPath) + "?sign=" + sign + (query.empty() ? "" : "&" + query), body);
    }
    void UseProxy(const std::string& server, const std::string& port, const std::string& user,
                  const std::string& password) {
        if (!wt::IsChecked(app_->Control(ctl::UseProxyBox))) wt::Click(app_->Control(ctl::UseProxyBox));
        wt::SetText(app_->Control(ctl::ProxyServerEdit), server);
        wt::SetText(app_->Control(ctl::ProxyPortEdit), port);
        wt::SetText(app_->Control(ctl::ProxyUsernameEdit), user);
        wt::SetText(app_->Control(ctl::ProxyPassEdit), password);
    }

    // Answers the upgrade question; false when it did not come.
    bool AnswerUpgradeQuestion(int button) {
        HWND question = wt::WaitForWindow(app_->program.ProcessId(), "TUpgradeQuestionForm", 20000);
        if (!question) return false;
        PostMessageA(question, WM_COMMAND, button, 0);
        return wt::WaitUntil([&] { return !IsWindowVisible(question); });
    }
    // "Update benchmark" pressed and the upgrade accepted: the wizard, or null when it did not show.
    HWND StartDownloads() {
        PressUpdate();
        return AnswerUpgradeQuestion(UpgradeQuestionForm::kYesButton)
                   ? wt::WaitForWindow(app_->program.ProcessId(), "TUpdateWizardForm", 20000)
                   : nullptr;
    }
    static std::string WizardText(HWND wizard, int id) { return wt::TextOf(wt::FindControl(wizard, id)); }
    static bool WaitForFinalState(HWND wizard) {
        HWND next = wt::FindControl(wizard, UpdateWizardForm::kNextButton);
        return wt::WaitUntil([&] { return IsWindowEnabled(next) && wt::TextOf(next) == "&OK"; }, 30000);
    }
    // The wizard's close box, then "Yes" to the abort question: "Update aborted.".
    void AbortThroughCloseBox(HWND wizard) {
        PostMessageA(wizard, WM_CLOSE, 0, 0);
        const Box question = AnswerBox(wizard, IDYES);
        EXPECT_EQ(question.caption, kTitle);
        EXPECT_EQ(question.text, UpdateText(27));
        const Box aborted = AnswerBox(Main(), IDOK);
        EXPECT_EQ(aborted.text, "Update aborted.");
        EXPECT_FALSE(IsWindowVisible(wizard));
    }
    // The "Checking for updates..." window while a check runs, or null.
    HWND CheckingWindow(DWORD timeoutMs) const {
        return wt::WaitForWindow(app_->program.ProcessId(), "TCancelWaitForm", timeoutMs);
    }
    bool CheckingEnds() const {
        return wt::WaitUntil([&] { return CheckingWindow(0) == nullptr; }, 20000);
    }
    // After a check that ends without a word: the next one runs and finds no newer version.
    void ExpectNextCheckFindsNothingNew(int requestsBefore) {
        ASSERT_TRUE(wt::WaitUntil([&] { return wt::RequestsServed(kInfoPath) > requestsBefore; }, 20000));
        ASSERT_TRUE(CheckingEnds());
        PublishInfo(InfoFile("1.2", {{FileUrl("a.dat"), ""}}));
        PressUpdate();
        const Box box = AnswerBox(Main(), IDOK);
        EXPECT_EQ(box.caption, kComponentCaption);
        EXPECT_EQ(box.text, UpdateText(24)) << "the first check must not have shown anything";
    }

    static std::unique_ptr<wt::TempFolder> folder_;
    static std::unique_ptr<wt::StartedProgram> app_;
};

std::unique_ptr<wt::TempFolder> UpdateCheck::folder_;
std::unique_ptr<wt::StartedProgram> UpdateCheck::app_;

TEST_F(UpdateCheck, NoNewerVersionOrAnUnreadableFileShowsText24) {
    static const char garbage[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR#\xff\xfe version 9 url1";
    const std::string cases[] = {
        InfoFile("1.2", {{FileUrl("a.dat"), ""}}),
        InfoFile("1.3", {}),
        std::string(garbage, sizeof garbage - 1),
    };
    for (const std::string& info : cases) {
        PublishInfo(info);
        PressUpdate();
        const Box box = AnswerBox(Main(), IDOK);
        EXPECT_EQ(box.caption, kComponentCaption);
        EXPECT_EQ(box.text, UpdateText(24));
    }
}

// Every account may write the settings key: a host there is not the maker's for anyone. Only
// the policy key's host is asked.
TEST_F(UpdateCheck, AHostInTheSettingsKeyIsNotUsed) {
    RegistrySettingsStore settings;
    settings.Write("MakerUpdateHost", "127.0.0.1:1");
    PublishInfo(InfoFile("1.2", {}));
    const int before = wt::RequestsServed(kInfoPath);
    PressUpdate();
    const Box box = AnswerBox(Main(), IDOK);
    EXPECT_EQ(box.text, UpdateText(24)) << "not \"No internet connection.\"";
    EXPECT_GT(wt::RequestsServed(kInfoPath), before);
    settings.Write("MakerUpdateHost", "");
}

TEST_F(UpdateCheck, DeclinedUpgradeShowsUpdateAborted) {
    PublishInfo(InfoFile("1.3", {{FileUrl("QWK_Lurkmark.exe"), ""}}));
    for (UINT decline : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE)}) {
        PressUpdate();
        HWND question = wt::WaitForWindow(app_->program.ProcessId(), "TUpgradeQuestionForm", 20000);
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(wt::TextOf(question), kComponentCaption);
        EXPECT_EQ(wt::TextOf(GetDlgItem(question, UpgradeQuestionForm::kTextLabel)),
                  WithCrLfBreaks(UpgradeQuestionText(kTitle, "Faster start-up.")));
        EXPECT_EQ(wt::TextOf(GetDlgItem(question, UpgradeQuestionForm::kYesButton)), "&Yes");
        EXPECT_EQ(wt::TextOf(GetDlgItem(question, UpgradeQuestionForm::kLaterButton)), "&Later");
        EXPECT_TRUE(GetWindowLongA(question, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(IsWindowEnabled(Main())) << "the question is modal";
        if (decline == WM_CLOSE) {
            PostMessageA(question, WM_CLOSE, 0, 0);
        } else {
            PostMessageA(question, WM_COMMAND, UpgradeQuestionForm::kLaterButton, 0);
        }
        const Box box = AnswerBox(Main(), IDOK);
        EXPECT_EQ(box.caption, "Lurkmark");
        EXPECT_EQ(box.text, "Update aborted.");
        EXPECT_TRUE(IsWindowEnabled(Main()));
    }
}

TEST_F(UpdateCheck, UnreachableHostShowsNoInternetConnectionAndTheHostMessage) {
    wt::WritePolicyValue("MakerUpdateHost", "127.0.0.1:1");
    PressUpdate();
    const Box first = AnswerBox(Main(), IDOK);
    EXPECT_EQ(first.caption, "Lurkmark");
    EXPECT_EQ(first.text, "No internet connection.");
    const Box second = AnswerBox(Main(), IDOK);
    EXPECT_EQ(second.caption, kComponentCaption);
    EXPECT_EQ(second.text, HostUnreachableText("127.0.0.1"));
}

TEST_F(UpdateCheck, ProxyPortThatIsNotANumberIsReportedAndNoCheckStarts) {
    PublishInfo(InfoFile("1.2", {}));
    const int before = wt::RequestsServed(kInfoPath);
    for (const std::string port : {"80a", ""}) {
        UseProxy("127.0.0.1", port, "", "");
        PressUpdate();
        const Box box = AnswerBox(Main(), IDOK);
        EXPECT_EQ(box.caption, "Lurkmark");
        EXPECT_EQ(box.text, port.empty() ? std::string(kProxyPortMissingText)
                                         : "'" + port + "' is not a valid integer value");
    }
    // A good port afterwards runs the check (through no proxy when the box is cleared).
    wt::Click(app_->Control(ctl::UseProxyBox));
    PressUpdate();
    EXPECT_EQ(AnswerBox(Main(), IDOK).text, UpdateText(24));
    EXPECT_EQ(wt::RequestsServed(kInfoPath), before + 1);
}

// The server answers these only when they come through a proxy; "localhost" because
// 127.0.0.1 is on the proxy's bypass list.
TEST_F(UpdateCheck, ThroughTheProxyWithCredentialsTheFilesDownload) {
    // The information file comes through the proxy's tunnel (https); the file over plain http,
    // where the server can tell that it came through the proxy.
    wt::WritePolicyValue("MakerUpdateHost", wt::MakerServerSecureHost("localhost"));
    PublishInfo(InfoFile("1.3", {{FileUrl("proxied.dat", "", "localhost"), "through tinyproxy"}}));
    Publish("/benchmarks/prey/proxied.dat?proxied=1", "through tinyproxy");
    UseProxy("127.0.0.1", wt::Env("LURK_PROXY_PORT"), wt::Env("LURK_PROXY_USER"), wt::Env("LURK_PROXY_PASSWORD"));
    HWND wizard = StartDownloads();
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(WaitForFinalState(wizard));
    EXPECT_TRUE(wt::FileBecomes(Folder() + "proxied.dat.uTMP", "through tinyproxy"));
    AbortThroughCloseBox(wizard);
}

TEST_F(UpdateCheck, CancelConfirmedStopsTheDownloadAndLeavesNoTemporaryFile) {
    // The second file stops after a part until the test lets it end.
    PublishInfo(InfoFile("1.3", {{FileUrl("first.dat"), "first"}, {FileUrl("stalled.dat"), ""}}));
    Publish("/benchmarks/prey/first.dat", "first");
    Publish("/benchmarks/prey/stalled.dat?size=300000&stall=20000", "");
    HWND wizard = StartDownloads();
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(GetWindowLongA(wizard, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowEnabled(Main())) << "the wizard is not modal";
    ASSERT_TRUE(wt::WaitUntil([&] {
        return WizardText(wizard, UpdateWizardForm::kCountLabel) == "Downloading 2 of 2" &&
               WizardText(wizard, UpdateWizardForm::kRateLabel) != UpdateText(22);
    }, 20000));
    EXPECT_EQ(WizardText(wizard, UpdateWizardForm::kFileSizeLabel), FileSizeLine(300000, "."));
    EXPECT_FALSE(wt::IsShown(wt::FindControl(wizard, UpdateWizardForm::kAddressLabel))) << "location hidden";
    const int allBar = static_cast<int>(
        SendMessageA(wt::FindControl(wizard, UpdateWizardForm::kAllBar), PBM_GETPOS, 0, 0));
    EXPECT_GE(allBar, 50);
    // A press meanwhile starts nothing and says so.
    const int infoRequests = wt::RequestsServed(kInfoPath);
    PressUpdate();
    const Box underWay = AnswerBox(wizard, IDOK);
    EXPECT_EQ(underWay.caption, kComponentCaption);
    EXPECT_EQ(underWay.text, kUpdateUnderWayText);
    EXPECT_EQ(wt::RequestsServed(kInfoPath), infoRequests);

    wt::PostClick(wt::FindControl(wizard, UpdateWizardForm::kCancelButton));
    const Box keepGoing = AnswerBox(wizard, IDNO);
    EXPECT_EQ(keepGoing.text, UpdateText(27));
    EXPECT_TRUE(IsWindowVisible(wizard));
    // Escape asks the same, as in any dialog.
    PostMessageA(wt::FindControl(wizard, UpdateWizardForm::kCancelButton), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(AnswerBox(wizard, IDYES).text, UpdateText(27));
    EXPECT_EQ(AnswerBox(Main(), IDOK).text, "Update aborted.");
    EXPECT_FALSE(IsWindowVisible(wizard));
    // The partial file went with the abort, while the server still holds the connection.
    EXPECT_TRUE(FileNamesIn(Folder(), "*.uTMP").empty());
    ASSERT_TRUE(wt::ReleaseStalledAnswers("/benchmarks/prey/stalled.dat"));
}

// A server that sends a byte a second: Cancel ends the download within two seconds and takes
// the partial file with it, and a new try right after downloads the file.
TEST_F(UpdateCheck, CancelDuringAByteASecondDownloadEndsAtOnceAndARetryWorks) {
    const std::string published(600, 's');
    PublishInfo(InfoFile("1.3", {{FileUrl("slow.dat"), published}}));
    Publish("/benchmarks/prey/slow.dat?rate=1", published);
    HWND wizard = StartDownloads();
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(wt::WaitUntil([&] { return WizardText(wizard, UpdateWizardForm::kRateLabel) != UpdateText(22); },
                              20000));
    EXPECT_FALSE(FileNamesIn(Folder(), "*.uTMP").empty()) << "the download is under way";

    wt::PostClick(wt::FindControl(wizard, UpdateWizardForm::kCancelButton));
    HWND question = wt::WaitForDialogOwnedBy(wizard, 20000);
    ASSERT_NE(question, nullptr);
    const DWORD yesAt = GetTickCount();
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    HWND aborted = wt::WaitForDialogOwnedBy(Main(), 20000);
    const DWORD endedAt = GetTickCount();
    ASSERT_NE(aborted, nullptr);
    EXPECT_LT(endedAt - yesAt, 2000u);
    std::printf("update download: cancel to \"Update aborted.\" %lu ms\n", static_cast<unsigned long>(endedAt - yesAt));
    EXPECT_EQ(wt::TextOf(GetDlgItem(aborted, 0xFFFF)), "Update aborted.");
    EXPECT_TRUE(FileNamesIn(Folder(), "*.uTMP").empty());
    PostMessageA(aborted, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wt::WaitUntil([&] { return !IsWindow(aborted); }));

    Publish("/benchmarks/prey/slow.dat", published);  // now at full speed
    wizard = StartDownloads();
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(WaitForFinalState(wizard));
    EXPECT_TRUE(wt::FileBecomes(Folder() + "slow.dat.uTMP", published));
    AbortThroughCloseBox(wizard);
}

// The information file does not come: the check shows that it is checking, a second press
// says that it runs, and Cancel ends it at once without a word.
TEST_F(UpdateCheck, CheckingWindowTellsAndCancelsAStalledCheck) {
    Publish(std::string(kInfoPath) + "?size=5000&stall=10", "");
    const int before = wt::RequestsServed(kInfoPath);
    PressUpdate();
    HWND checking = CheckingWindow(20000);
    ASSERT_NE(checking, nullptr);
    EXPECT_EQ(wt::TextOf(checking), kComponentCaption);
    EXPECT_EQ(wt::TextOf(GetDlgItem(checking, CancelWaitForm::kTextLabel)), kCheckingText);
    EXPECT_TRUE(IsWindowEnabled(Main())) << "the window stays usable";

    PressUpdate();
    const Box underWay = AnswerBox(checking, IDOK);
    EXPECT_EQ(underWay.text, kUpdateUnderWayText);
    EXPECT_EQ(wt::RequestsServed(kInfoPath), before + 1);

    const DWORD pressedAt = GetTickCount();
    wt::PostClick(GetDlgItem(checking, CancelWaitForm::kCancelButton));
    ASSERT_TRUE(CheckingEnds());
    EXPECT_LT(GetTickCount() - pressedAt, 2000u);
    EXPECT_EQ(wt::WaitForDialogOwnedBy(Main(), 1000), nullptr) << "a cancelled check says nothing";
    ASSERT_TRUE(wt::ReleaseStalledAnswers(kInfoPath));
    ExpectNextCheckFindsNothingNew(before);
}

// The maker's message may fill the information file: it scrolls in the question, whose
// window stays within the screen.
TEST_F(UpdateCheck, AMegabyteMessageScrollsInAQuestionNoTallerThanTheScreen) {
    std::string message;
    while (message.size() < 1000000) message += std::string(90, 'm') + " line " + std::to_string(message.size()) + "\r\n";
    std::string info = InfoFile("1.3", {{FileUrl("a.dat"), ""}});
    info.replace(info.find("Faster start-up."), 16, message);
    ASSERT_LE(info.size() + 200, 1024u * 1024u) << "the signature line must fit too";
    PublishInfo(info);
    PressUpdate();
    HWND question = wt::WaitForWindow(app_->program.ProcessId(), "TUpgradeQuestionForm", 30000);
    ASSERT_NE(question, nullptr);
    RECT window{};
    GetWindowRect(question, &window);
    RECT screen{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    EXPECT_LE(window.bottom - window.top, screen.bottom - screen.top);
    EXPECT_GE(window.top, screen.top);
    HWND text = GetDlgItem(question, UpgradeQuestionForm::kTextLabel);
    EXPECT_TRUE(GetWindowLongA(text, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongA(text, GWL_STYLE) & ES_READONLY);
    // Asked of the field itself: the window manager's copy of a window's text is cut short.
    EXPECT_GE(SendMessageA(text, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(message.size()));
    PostMessageA(question, WM_COMMAND, UpgradeQuestionForm::kLaterButton, 0);
    EXPECT_EQ(AnswerBox(Main(), IDOK).text, "Update aborted.");
}

TEST_F(UpdateCheck, MissingSecondFileAnsweredYesKeepsTheFirstAndFetchesTheThird) {
    PublishInfo(InfoFile("1.3", {{FileUrl("one.dat"), "one"}, {FileUrl("two.dat"), ""}, {FileUrl("three.dat"), "three"}}));
    Publish("/benchmarks/prey/one.dat?lastmod=Tue,%2015%20Nov%201994%2008:12:31%20GMT", "one");
    Publish("/benchmarks/prey/three.dat", "three");
    HWND wizard = StartDownloads();
    ASSERT_NE(wizard, nullptr);
    const Box lost = AnswerBox(wizard, IDYES);
    EXPECT_EQ(lost.caption, "Error #404");
    EXPECT_EQ(lost.text, LostFileText("two.dat"));
    ASSERT_TRUE(WaitForFinalState(wizard));
    EXPECT_EQ(WizardText(wizard, UpdateWizardForm::kTitleLabel), "Upgrade completed!");
    EXPECT_EQ(WizardText(wizard, UpdateWizardForm::kCompletedLabel), UpdateCompletedText(kTitle));
    EXPECT_FALSE(wt::IsShown(wt::FindControl(wizard, UpdateWizardForm::kCurrentGroup)));
    EXPECT_FALSE(IsWindowEnabled(wt::FindControl(wizard, UpdateWizardForm::kCancelButton)));

    EXPECT_TRUE(wt::FileBecomes(Folder() + "one.dat.uTMP", "one"));
    EXPECT_TRUE(wt::FileBecomes(Folder() + "three.dat.uTMP", "three"));
    EXPECT_TRUE(wt::FileGoes(Folder() + "two.dat.uTMP"));
    // Wine keeps only the DOS attributes: "temporary" cannot be seen here.
    EXPECT_TRUE(GetFileAttributesA((Folder() + "one.dat.uTMP").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((Folder() + "one.dat.uTMP").c_str(), GetFileExInfoStandard, &data));
    SYSTEMTIME written;
    FileTimeToSystemTime(&data.ftLastWriteTime, &written);
    EXPECT_EQ(written.wYear, 1994);
    EXPECT_EQ(written.wHour, 8);
    EXPECT_EQ(written.wSecond, 31);

    AbortThroughCloseBox(wizard);
}

TEST_F(UpdateCheck, ConnectionClosedMidBodyShowsTheLostConnection) {
    struct Case {
        const char* what;
        std::string infoQuery;
        std::string fileQuery;
    } cases[] = {
        {"a download", "", "?size=50000&short=20000"},
        {"the information file", "short=12", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PublishInfo(InfoFile("1.3", {{FileUrl("cut.dat"), "whole"}}), c.infoQuery);
        Publish("/benchmarks/prey/cut.dat" + c.fileQuery, "whole");
        PressUpdate();
        if (c.infoQuery.empty()) {
            ASSERT_TRUE(AnswerUpgradeQuestion(UpgradeQuestionForm::kYesButton));
        }
        const Box box = AnswerBox(Main(), IDOK);
        EXPECT_EQ(box.caption, kComponentCaption);
        EXPECT_EQ(box.text, UpdateText(30));
        EXPECT_TRUE(FileNamesIn(Folder(), "*.uTMP").empty());
    }
}

// Tens of megabytes, announced or not, are no information file: the check ends as for a
// missing one, after the first megabyte at most.
TEST_F(UpdateCheck, OversizedInformationFileEndsTheCheckWithoutAWord) {
    for (const char* query : {"?size=20000000", "?size=20000000&nolength=1"}) {
        SCOPED_TRACE(query);
        Publish(kInfoPath + std::string(query), "");
        const int before = wt::RequestsServed(kInfoPath);
        PressUpdate();
        ExpectNextCheckFindsNothingNew(before);
    }
}

// The information file's address leads to an address that sends the client back to
// itself: a loop that must end.
TEST_F(UpdateCheck, RedirectLoopEndsTheCheckWithoutAWord) {
    Publish(std::string(kInfoPath) + "?redirect=/loop", "");
    Publish("/loop?redirect=/loop", "");
    const int before = wt::RequestsServed(kInfoPath);
    PressUpdate();
    ExpectNextCheckFindsNothingNew(before);
    EXPECT_GE(wt::RequestsServed("/loop"), 1);
    EXPECT_LE(wt::RequestsServed("/loop"), 20);
}

// A hostile server (or anyone on the path) cannot make the program install anything: an
// information file in today's format (unsigned) or with a wrong signature offers nothing, and
// the debug log says why.
TEST_F(UpdateCheck, UnsignedOrWronglySignedInformationFileOffersNothing) {
    const std::string offer = InfoFile("9.0", {{FileUrl("evil.exe"), "evil"}});
    struct Case {
        const char* sign;
        const char* why;
    } cases[] = {{nullptr, "is not signed"}, {"bad", "has a wrong signature"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.sign) {
            PublishInfo(offer, "", c.sign);
        } else {
            Publish(kInfoPath, offer);
        }
        const int before = wt::RequestsServed("/benchmarks/prey/evil.exe");
        PressUpdate();
        const Box box = AnswerBox(Main(), IDOK);
        EXPECT_EQ(box.caption, kComponentCaption);
        EXPECT_EQ(box.text, UpdateText(24));
        const std::string line = "Update information https://" + wt::MakerServerSecureHost() + kInfoPath + " " + c.why +
                                 ": no update offered.";
        EXPECT_TRUE(wt::WaitUntil([&] { return DebugLog(Folder()).find(line) != std::string::npos; }, 20000))
            << DebugLog(Folder());
        EXPECT_EQ(wt::RequestsServed("/benchmarks/prey/evil.exe"), before);
    }
}

// Signed by the maker, but the file that arrives is not the published one: here a redirect to
// another host delivers other bytes. It is a lost file; "No" aborts and nothing stays.
TEST_F(UpdateCheck, FileWhoseHashDiffersIsALostFile) {
    Publish("/benchmarks/prey/moved.exe?redirect=" + wt::MakerServerUrl("/elsewhere/evil.exe", "localhost"), "");
    Publish("/elsewhere/evil.exe", "an exe from someone else");
    PublishInfo(InfoFile("1.3", {{FileUrl("moved.exe"), "the maker's exe"}}));
    HWND wizard = StartDownloads();
    ASSERT_NE(wizard, nullptr);
    const Box lost = AnswerBox(wizard, IDNO);
    EXPECT_EQ(lost.caption, "Error");
    EXPECT_EQ(lost.text, LostFileText("moved.exe"));
    EXPECT_EQ(AnswerBox(Main(), IDOK).text, "Update aborted.");
    EXPECT_EQ(wt::RequestsServed("/elsewhere/evil.exe"), 1);
    EXPECT_FALSE(wt::FileExists(Folder() + "moved.exe.uTMP"));
    EXPECT_TRUE(wt::WaitUntil([&] {
        return DebugLog(Folder()).find("Update file " + FileUrl("moved.exe") +
                                       " does not have the published SHA-256: discarded.") != std::string::npos;
    }, 20000));
}

// The information file's address is sent on to plain http or to a file: never followed; the
// check ends with "no newer version" as for any refused file, and the debug log names the
// address refused. The plain address is never asked.
TEST_F(UpdateCheck, RedirectFromHttpsToHttpOrAFileIsRefused) {
    Publish("/plain/qwk_lurkmark.inf?sign=good", InfoFile("9.0", {{FileUrl("evil.exe"), "evil"}}));
    for (const std::string& target : std::vector<std::string>{wt::MakerServerUrl("/plain/qwk_lurkmark.inf"), std::string("file:///C:/x.inf")}) {
        SCOPED_TRACE(target);
        Publish(std::string(kInfoPath) + "?redirect=" + target, "");
        PressUpdate();
        const Box box = AnswerBox(Main(), IDOK);
        EXPECT_EQ(box.caption, kComponentCaption);
        EXPECT_EQ(box.text, UpdateText(24));
        const std::string line = "Update information https://" + wt::MakerServerSecureHost() + kInfoPath +
                                 " was redirected to " + target + ", which is not followed: no update offered.";
        EXPECT_TRUE(wt::WaitUntil([&] { return DebugLog(Folder()).find(line) != std::string::npos; }, 20000))
            << DebugLog(Folder());
    }
    EXPECT_EQ(wt::RequestsServed("/plain/qwk_lurkmark.inf"), 0);
}

// A program's path as the web host, even in the policy key, opens nothing and runs nothing.
// The debug log says that the value was ignored.
TEST_F(UpdateCheck, HomepageWithAProgramPathAsWebHostRunsNothing) {
    // The built-in home page is opened instead.
    const wt::NoBrowser noBrowser;
    const std::string planted = Folder() + "planted\\";
    CreateDirectoryA(planted.c_str(), nullptr);
    wt::WriteFileBytes(planted + "evil.exe", wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\tools\\upgrade_target.exe"));
    for (const std::string& value : std::vector<std::string>{planted + "evil.exe", "\\\\127.0.0.1\\share\\evil.exe", "file:///" + planted + "evil.exe"}) {
        SCOPED_TRACE(value);
        wt::WritePolicyValue("MakerWebHost", value);
        wt::PostClick(app_->Control(ctl::RzGroup3Items4));
        const std::string line = "The policy value MakerWebHost \"" + value +
                                 "\" is not a host name with an optional port: ignored, www.quenwick.example is used.";
        EXPECT_TRUE(wt::WaitUntil([&] { return DebugLog(Folder()).find(line) != std::string::npos; }, 20000))
            << DebugLog(Folder());
    }
    WaitForShellStartsToEnd("evil.exe");
    EXPECT_FALSE(wt::FileExists(planted + "runs.txt")) << "the planted program ran";
    wt::WritePolicyValue("MakerWebHost", "");
}

// A server whose certificate does not prove the host ("127.1" is not named in it).
TEST_F(UpdateCheck, CertificateErrorHasItsOwnMessage) {
    wt::WritePolicyValue("MakerUpdateHost", wt::MakerServerSecureHost("127.1"));
    PublishInfo(InfoFile("1.3", {}));
    const int before = wt::RequestsServed(kInfoPath);
    PressUpdate();
    const Box box = AnswerBox(Main(), IDOK);
    EXPECT_EQ(box.caption, "Lurkmark");
    EXPECT_EQ(box.text, kCertificateErrorText);
    EXPECT_EQ(wt::RequestsServed(kInfoPath), before);
    EXPECT_EQ(wt::WaitForDialogOwnedBy(Main(), 1000), nullptr) << "no second message";
}

// Method 2 opens the first address in the browser: only a web address. A file address would
// run the program it names.
TEST_F(UpdateCheck, BrowserMethodOpensNoFileAddress) {
    const std::string payload = Folder() + "payload\\";
    CreateDirectoryA(payload.c_str(), nullptr);
    wt::WriteFileBytes(payload + "payload.exe", wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\tools\\upgrade_target.exe"));
    std::string address = "file:///" + payload + "payload.exe";
    for (char& c : address) c = c == '\\' ? '/' : c;
    PublishInfo("#version=1.3\r\n#url=" + address + "\r\n#method=2\r\n");
    PressUpdate();
    ASSERT_TRUE(AnswerUpgradeQuestion(UpgradeQuestionForm::kYesButton));
    const Box box = AnswerBox(Main(), IDOK);
    EXPECT_EQ(box.caption, "Lurkmark");
    EXPECT_EQ(box.text, "Update aborted.");
    EXPECT_TRUE(wt::WaitUntil([&] {
        return DebugLog(Folder()).find("Update address " + address + " is not a web address: not opened.") !=
               std::string::npos;
    }, 20000));
    WaitForShellStartsToEnd("payload.exe");
    EXPECT_FALSE(wt::FileExists(payload + "runs.txt")) << "the payload ran";
}

}  // namespace
