// A handler that leads to a new handler being assigned to the member it was called from
// keeps running on a live object. Each case uses heap state captured by the old handler
// after the replacement, which AddressSanitizer reports as a use after free if the member
// itself were called.
#include "platform/handler_call.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "online/update_flow.h"
#include "online/updater_config.h"
#include "runner/process_runner.h"

namespace {

// Captured by value and read after the handler has been replaced.
const std::vector<std::string> kCaptured(64, std::string(40, 'x'));

std::size_t CapturedSize(const std::vector<std::string>& v) {
    std::size_t n = 0;
    for (const std::string& s : v) n += s.size();
    return n;
}

TEST(CallHandler, AHandlerMayReplaceItselfWhileItRuns) {
    std::function<void(int)> member;
    std::vector<int> calls;
    std::size_t seen = 0;
    member = [&member, &calls, &seen, captured = kCaptured](int value) {
        member = [&calls](int next) { calls.push_back(-next); };
        seen = CapturedSize(captured);
        calls.push_back(value);
    };
    CallHandler(member, 7);
    CallHandler(member, 8);
    EXPECT_EQ(seen, CapturedSize(kCaptured));
    EXPECT_EQ(calls, (std::vector<int>{7, -8}));

    member = nullptr;
    CallHandler(member, 9);  // an unassigned handler is simply not called
    EXPECT_EQ(calls.size(), 2u);
}

class StubRunner : public ProcessRunner {
public:
    void Run() override { running_ = true; }
    bool Running() const override { return running_; }
    void End(int exitCode) {
        running_ = false;
        NotifyTerminated(exitCode);
    }

private:
    bool running_ = false;
};

TEST(CallHandler, ProcessRunnerHandlerMaySetTheNextHandlerAndRunAgain) {
    StubRunner runner;
    std::vector<std::string> events;
    runner.SetOnTerminate([&events, captured = kCaptured](ProcessRunner& r, int code) {
        r.SetOnTerminate([&events](ProcessRunner&, int next) { events.push_back("second " + std::to_string(next)); });
        r.Run();
        events.push_back("first " + std::to_string(code) + " " + std::to_string(CapturedSize(captured)));
    });
    runner.Run();
    runner.End(3);
    ASSERT_TRUE(runner.Running());
    runner.End(4);
    EXPECT_EQ(events, (std::vector<std::string>{"first 3 " + std::to_string(CapturedSize(kCaptured)), "second 4"}));
}

class IdleTransfer : public UpdateTransfer {
public:
    void Start(const TransferRequest&, TransferListener&) override {}
    void Stop() override {}
};

class SilentShell : public UpdateShell {
public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }
    bool AskUpgrade(const std::string&) override { return false; }
    void OpenInBrowser(const std::string&) override {}
    void ShowChecking() override {}
    void CloseChecking() override {}
    // Every information file counts as the maker's: the test is about the events, not the key.
    bool IsSignedByMaker(const std::string&, const std::string&) override { return true; }
    std::optional<std::string> FileSha256(const std::string&) override { return std::nullopt; }
    void ShowWizard() override {}
    void ShowWizardFile(const std::string&, const std::string&) override {}
    void ShowWizardFileSize(const std::string&) override {}
    void ShowWizardProgress(const DownloadProgress&) override {}
    void ShowWizardFinished(const std::string&) override {}
    void CloseWizard() override {}
    void SetFileTimes(const std::string&, std::uint64_t) override {}
    void RemoveFile(const std::string&) override {}
    void DeleteTemporaryFiles(const std::string&) override {}
    std::string DownloadFolder(const std::string& programFolder) override { return programFolder; }
    std::string HandOver(const std::string&, UpgradeMethod, const UpgradePlan&) override { return ""; }
};

TEST(CallHandler, UpdateEventsMayBeReplacedByTheirOwnHandlers) {
    UpdaterSettings settings = LurkmarkUpdaterSettings("1.2", MakerHosts{});
    UpdateEvents events;
    IdleTransfer transfer;
    SilentShell shell;
    UpdateFlow flow{settings, events, transfer, shell, "C:\\Bench\\QWK_Lurkmark.exe", "."};
    std::vector<std::string> raised;
    events.OnHostUnreachable = [&, captured = kCaptured](const std::string&, const std::string& host) {
        events.OnHostUnreachable = [&raised](const std::string&, const std::string&) { raised.push_back("new"); };
        raised.push_back(host + " " + std::to_string(CapturedSize(captured)));
    };
    events.OnLaterUpgrade = [&, captured = kCaptured] {
        events.OnLaterUpgrade = nullptr;
        raised.push_back("later " + std::to_string(CapturedSize(captured)));
    };
    for (int i = 0; i < 2; ++i) {
        flow.StartUpdateCheck();
        flow.OnTransferDone(UpdateTransferResult{});  // no response: the host is unreachable
    }
    flow.StartUpdateCheck();
    flow.OnTransferDone({UpdateTransferOutcome::Success, 200,
                         "#version=9\r\n#url=http://up.example/a.exe\r\n#sha256=" + std::string(64, '0') +
                             "\r\n#signature=" + std::string(128, '0') + "\r\n"});
    const std::string size = std::to_string(CapturedSize(kCaptured));
    EXPECT_EQ(raised, (std::vector<std::string>{"update.quenwick.example " + size, "new", "later " + size}));
}

}  // namespace
