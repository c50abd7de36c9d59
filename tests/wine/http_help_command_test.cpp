// The help command and its download against the maker's server script on 127.0.0.1.
#include "online/download_to_file_win.h"
#include "online/help_command_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "support/maker_server_client.h"
#include "support/policy_key.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"
#include "ui/wait_form_win.h"

namespace {

std::string ServerUrl(const std::string& pathAndQuery) {
    return "http://127.0.0.1:" + wt::Env("LURK_HTTP_PORT") + pathAndQuery;
}

std::string ServedHelpFile() {
    return wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\Help\\help.chm");
}

// Answers the help command's questions and records what it was asked to do, in order.
struct ScriptedUi {
    bool answerYes = false;
    std::vector<std::string> events;
    std::string question;
    std::function<void()> cancel;  // the wait window's Cancel

    HelpCommandUi Ui() {
        HelpCommandUi ui;
        ui.confirm = [this](const std::string& q) {
            question = q;
            events.push_back("ask");
            return answerYes;
        };
        ui.showWait = [this](std::function<void()> onCancel) {
            cancel = std::move(onCancel);
            events.push_back("wait");
        };
        ui.closeWait = [this] { events.push_back("close"); };
        ui.openHelpFile = [this](const std::string& path) { events.push_back("open " + path); };
        ui.tell = [this](const std::string& text) { events.push_back("tell " + text); };
        return ui;
    }
};

using Events = std::vector<std::string>;

TEST(HelpCommand, PresentFileOpensWithoutQuestionOrNetwork) {
    wt::TempFolder bench("help_present");
    wt::MakeFolders(bench.Path() + "Help");
    wt::WriteFileBytes(bench.Path() + "Help\\help.chm", "damaged, but there");
    ScriptedUi ui;
    RunHelpCommand(bench.Path(), "http://127.0.0.1:1/unreachable", ui.Ui());
    EXPECT_EQ(ui.events, (Events{"open " + bench.Path() + "Help\\help.chm"}));
}

TEST(HelpCommand, AbsentFileAnsweredNoDoesNothingElse) {
    wt::TempFolder bench("help_no");
    ScriptedUi ui;
    RunHelpCommand(bench.Path(), ServerUrl("/benchmarks/prey/help.chm"), ui.Ui());
    EXPECT_EQ(ui.events, (Events{"ask"}));
    EXPECT_EQ(ui.question,
              "Corrupt help file! Would you like to download the newest help file from the Qwkbench server (approx. "
              "553 KB)?");
    EXPECT_FALSE(wt::FolderExists(bench.Path() + "Help"));
}

// The server signs with the tests' key, which the Windows tests check against.
TEST(HelpCommand, AbsentFileIsDownloadedIntoANewFolderAndOpened) {
    wt::TempFolder bench("help_download");
    ScriptedUi ui;
    ui.answerYes = true;
    RunHelpCommand(bench.Path(), ServerUrl("/benchmarks/prey/help.chm"), ui.Ui());
    const std::string helpFile = bench.Path() + "Help\\help.chm";
    EXPECT_EQ(ui.events, (Events{"ask", "wait", "close", "open " + helpFile}));
    ASSERT_TRUE(wt::FileExists(helpFile));
    EXPECT_EQ(wt::ReadFileBytes(helpFile), ServedHelpFile());
}

// In the shared data folder every account may write; what opens is the user's own copy of the
// checked bytes.
class SharedHelpFolder : public ::testing::Test {
protected:
    // The maker's help file downloaded into the shared folder, and opened from the copy.
    void SetUp() override {
        ScriptedUi ui;
        ui.answerYes = true;
        RunHelpCommand(shared_.Path(), ServerUrl("/benchmarks/prey/help.chm"), ui.Ui(), copy_);
        EXPECT_EQ(ui.events, (Events{"ask", "wait", "close", "open " + copy_}));
        EXPECT_EQ(wt::ReadFileBytes(copy_), ServedHelpFile());
        ASSERT_TRUE(wt::FileExists(helpFile_ + ".sig")) << "the signature stays beside the file";
    }

    wt::TempFolder shared_{"help_shared"};
    wt::TempFolder own_{"help_own"};
    const std::string copy_ = own_.Path() + "help.chm";
    const std::string helpFile_ = shared_.Path() + "Help\\help.chm";
};

// A help file there is used only while the maker's signature kept beside it matches; a planted
// one goes and is offered for download.
TEST_F(SharedHelpFolder, OnlyAFileWithTheMakersKeptSignatureOpens) {
    ScriptedUi ui;
    RunHelpCommand(shared_.Path(), "http://127.0.0.1:1/unreachable", ui.Ui(), copy_);
    EXPECT_EQ(ui.events, (Events{"open " + copy_}));

    for (const char* planted : {"a page that runs code", ""}) {
        wt::WriteFileBytes(helpFile_, ServedHelpFile() + planted);
        if (*planted == '\0') DeleteFileA((helpFile_ + ".sig").c_str());
        ScriptedUi declined;
        RunHelpCommand(shared_.Path(), ServerUrl("/benchmarks/prey/help.chm"), declined.Ui(), copy_);
        EXPECT_EQ(declined.events, (Events{"ask"})) << "planted: '" << planted << "'";
        EXPECT_FALSE(wt::FileExists(helpFile_));
    }
}

// Another account swaps other bytes over the shared file right after the check (as one that
// watches the folder can): the file handed to the viewer still holds the signed bytes.
TEST_F(SharedHelpFolder, BytesSwappedInAfterTheCheckAreNotWhatOpens) {
    std::string opened;
    std::string openedBytes;
    ScriptedUi ui;
    HelpCommandUi swapping = ui.Ui();
    swapping.openHelpFile = [&](const std::string& path) {
        wt::WriteFileBytes(helpFile_, "a help file that runs a command");  // between check and open
        opened = path;
        openedBytes = wt::ReadFileBytes(path);
    };
    RunHelpCommand(shared_.Path(), "http://127.0.0.1:1/unreachable", swapping, copy_);
    EXPECT_NE(opened.rfind(shared_.Path(), 0), 0u) << opened << " lies where another account may write";
    EXPECT_EQ(openedBytes, ServedHelpFile());
}

TEST(HelpCommand, FailedDownloadLeavesNoFileAndAsksAgainNextTime) {
    // The maker's signature beside a help file: missing, or another file's.
    ASSERT_TRUE(wt::PublishOnMakerServer("/unsigned/help.chm", ServedHelpFile()));
    ASSERT_TRUE(wt::PublishOnMakerServer("/unsigned/help.chm.sig?status=404", ""));
    ASSERT_TRUE(wt::PublishOnMakerServer("/forged/help.chm", ServedHelpFile() + "a page that runs code"));
    ASSERT_TRUE(wt::PublishOnMakerServer("/forged/help.chm.sig", std::string(128, 'a')));
    ASSERT_TRUE(wt::PublishOnMakerServer("/garbled/help.chm", ServedHelpFile()));
    ASSERT_TRUE(wt::PublishOnMakerServer("/garbled/help.chm.sig", "not a signature"));
    struct Case {
        const char* what;
        std::string url;
    } cases[] = {
        {"no connection", "http://127.0.0.1:1/benchmarks/prey/help.chm"},
        {"not found on the server", ServerUrl("/benchmarks/prey/no-such-help.chm")},
        {"connection lost early", ServerUrl("/benchmarks/prey/help.chm?short=2000")},
        {"no signature", ServerUrl("/unsigned/help.chm")},
        {"a wrong signature", ServerUrl("/forged/help.chm")},
        {"an unreadable signature", ServerUrl("/garbled/help.chm")},
    };
    for (const Case& c : cases) {
        wt::TempFolder bench("help_fail");
        wt::MakeFolders(bench.Path() + "Help");  // an existing folder is used as it is
        ScriptedUi ui;
        ui.answerYes = true;
        RunHelpCommand(bench.Path(), c.url, ui.Ui());
        EXPECT_EQ(ui.events, (Events{"ask", "wait", "close"})) << c.what;
        EXPECT_FALSE(wt::FileExists(bench.Path() + "Help\\help.chm")) << c.what;
        EXPECT_FALSE(wt::FileExists(bench.Path() + "Help\\help.chm.sig")) << c.what;
        ui.events.clear();
        ui.answerYes = false;
        RunHelpCommand(bench.Path(), c.url, ui.Ui());
        EXPECT_EQ(ui.events, (Events{"ask"})) << c.what;
    }
}

ScriptedUi* pressing = nullptr;
DWORD pressedAt = 0;

void CALLBACK PressCancel(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    pressedAt = GetTickCount();
    if (pressing->cancel) pressing->cancel();
}

// The help file trickles in at a byte a second; Cancel in the wait window ends the download
// at once, leaves no file, and the next try downloads it.
TEST(HelpCommand, CancelEndsASlowDownloadAtOnceAndARetryWorks) {
    wt::TempFolder bench("help_cancel");
    ScriptedUi ui;
    ui.answerYes = true;
    // Cancel pressed a second into the download, from the message loop the download keeps running.
    pressing = &ui;
    pressedAt = 0;
    ASSERT_NE(SetTimer(nullptr, 0, 1000, PressCancel), 0u);
    const DWORD start = GetTickCount();
    RunHelpCommand(bench.Path(), ServerUrl("/benchmarks/prey/help.chm?rate=1"), ui.Ui());
    const DWORD ended = GetTickCount();
    ASSERT_NE(pressedAt, 0u) << "the download did not keep the messages flowing";
    EXPECT_LT(ended - pressedAt, 2000u) << "Cancel took " << ended - pressedAt << " ms";
    std::printf("help download: cancel to end %lu ms (whole command %lu ms)\n",
                static_cast<unsigned long>(ended - pressedAt), static_cast<unsigned long>(ended - start));
    EXPECT_EQ(ui.events, (Events{"ask", "wait", "close"}));
    EXPECT_FALSE(wt::FileExists(bench.Path() + "Help\\help.chm"));

    ui.events.clear();
    RunHelpCommand(bench.Path(), ServerUrl("/benchmarks/prey/help.chm"), ui.Ui());
    EXPECT_EQ(ui.events, (Events{"ask", "wait", "close", "open " + bench.Path() + "Help\\help.chm"}));
    EXPECT_EQ(wt::ReadFileBytes(bench.Path() + "Help\\help.chm"), ServedHelpFile());
}

TEST(DownloadToFile, TrueOnlyForAWholeSuccessfulBody) {
    wt::TempFolder folder("download");
    struct Case {
        std::string url;
        std::string target;
        bool ok;
        std::string body;
    } cases[] = {
        {ServerUrl("/benchmarks/prey/help.chm"), "a.chm", true, ServedHelpFile()},
        {ServerUrl("/d?body=no%20length&nolength=1"), "b.chm", true, "no length"},
        {ServerUrl("/d?body=empty&status=404"), "c.chm", false, ""},
        {ServerUrl("/d?body=server%20error&status=500"), "d.chm", false, ""},
        {ServerUrl("/d?size=5000&short=100"), "e.chm", false, ""},
        {ServerUrl("/d?size=10"), "missing folder\\f.chm", false, ""},
        {"http://127.0.0.1:1/", "g.chm", false, ""},
    };
    for (const Case& c : cases) {
        const std::string target = folder.Path() + c.target;
        EXPECT_EQ(DownloadToFile(c.url, target, "help.chm"), c.ok) << c.url;
        EXPECT_EQ(wt::FileExists(target), c.ok) << c.url;
        if (c.ok && wt::FileExists(target)) {
            EXPECT_EQ(wt::ReadFileBytes(target), c.body) << c.url;
        }
    }
}

// Finds the question box the window UI shows, checks its text and presses a button.
class DialogAnswerer {
public:
    explicit DialogAnswerer(int button) : button_(button) {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~DialogAnswerer() {
        WaitForSingleObject(thread_, 35000);
        CloseHandle(thread_);
    }
    std::string text;
    bool found = false;

private:
    static DWORD WINAPI Run(LPVOID p) {
        auto* self = static_cast<DialogAnswerer*>(p);
        // Polls until the box exists; no fixed wait decides the outcome.
        for (int i = 0; i < 600; ++i) {
            HWND box = FindWindowA("#32770", "Confirm");
            if (box) {
                char buffer[512] = {};
                GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                self->text = buffer;
                self->found = true;
                PostMessageA(box, WM_COMMAND, self->button_, 0);
                return 0;
            }
            Sleep(50);
        }
        return 0;
    }
    int button_;
    HANDLE thread_;
};

TEST(WindowHelpCommandUi, AsksInAYesNoBoxAndShowsTheWaitWindow) {
    WaitForm wait;
    ASSERT_TRUE(wait.Create());
    HelpCommandUi ui = WindowHelpCommandUi(nullptr, wait);
    {
        DialogAnswerer answer(IDNO);
        EXPECT_FALSE(ui.confirm(kHelpDownloadQuestion));
        EXPECT_EQ(answer.text, kHelpDownloadQuestion);
    }
    {
        DialogAnswerer answer(IDYES);
        EXPECT_TRUE(ui.confirm(kHelpDownloadQuestion));
        EXPECT_TRUE(answer.found);
    }
    bool cancelled = false;
    ui.showWait([&] { cancelled = true; });
    EXPECT_TRUE(IsWindowVisible(wait.Handle()));
    HWND cancel = GetDlgItem(wait.Handle(), WaitForm::kCancelButton);
    ASSERT_TRUE(IsWindowVisible(cancel));
    SendMessageA(wait.Handle(), WM_COMMAND, MAKEWPARAM(WaitForm::kCancelButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(cancel));
    EXPECT_TRUE(cancelled);
    ui.closeWait();
    EXPECT_FALSE(IsWindowVisible(wait.Handle()));
}

// The real program: while its help file trickles in, "Please wait..." shows with its Cancel
// button and the main window still closes at once.
TEST(HelpCommand, TheMainWindowClosesDuringADownload) {
    wt::TempFolder bench("help_close");
    ASSERT_TRUE(wt::TrustTestAuthority());
    // Five minutes at a byte a second: the download is still running whenever the test looks.
    ASSERT_TRUE(wt::PublishOnMakerServer("/benchmarks/prey/help.chm?rate=1", std::string(300, 'h')));
    wt::CreateSettingsKey();
    // The program asks over https, so the host is the server's https port.
    wt::WritePolicyValue("MakerWebHost", wt::MakerServerSecureHost());
    {
        wt::StartedProgram app(bench.Path());
        ASSERT_NE(app.main, nullptr);
        const int servedBefore = wt::RequestsServed("/benchmarks/prey/help.chm");
        ASSERT_GE(servedBefore, 0);
        wt::Click(app.Control(ctl::RzGroup3));
        wt::PostClick(app.Control(ctl::RzGroup3Items0));
        HWND question = wt::WaitForDialogOwnedBy(app.main, 20000);
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(wt::TextOf(question), "Confirm") << "not the download question";
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        ASSERT_TRUE(wt::WaitUntil([&] { return wt::RequestsServed("/benchmarks/prey/help.chm") > servedBefore; }, 30000))
            << "this download never reached the server";
        HWND wait = wt::WaitForWindow(app.program.ProcessId(), "TForm2", 20000);
        ASSERT_NE(wait, nullptr);
        ASSERT_TRUE(wt::WaitUntil([&] { return IsWindowVisible(wait) != FALSE; }, 20000));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(wait, WaitForm::kCancelButton)));
        // Still on screen just before the close: the close happens during the download.
        ASSERT_TRUE(IsWindow(wait) && IsWindowVisible(wait));
        const DWORD closedAt = GetTickCount();
        PostMessageA(app.main, WM_CLOSE, 0, 0);
        ASSERT_TRUE(app.program.WaitForExit(20000));
        EXPECT_LT(GetTickCount() - closedAt, 2000u);
        EXPECT_EQ(app.program.ExitCode(), 0u);
    }
    EXPECT_FALSE(wt::FileExists(bench.Path() + "Help\\help.chm")) << "a cut download leaves no file";
    wt::DeleteSettingsKey();
    wt::DeletePolicyKey();
    EXPECT_TRUE(wt::TrustTestAuthority(false));
    // Later tests of this server get the help file as it was.
    EXPECT_TRUE(wt::PublishOnMakerServer("/benchmarks/prey/help.chm", ServedHelpFile()));
}

}  // namespace
