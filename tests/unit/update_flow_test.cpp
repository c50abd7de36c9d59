#include "online/update_flow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <iterator>

#include "online/update_signature.h"
#include "online/update_texts.h"
#include "online/updater_config.h"
#include "upgrader/upgrader_command.h"
#include "upgrader/version_order.h"

namespace {

const std::string kProgram = "C:\\Bench\\QWK_Lurkmark.exe";
const std::string kInfoUrl = "https://update.quenwick.example/benchmarks/prey/qwk_lurkmark.inf";

// The fake maker's signature: bound to every byte of the message, as the real one is.
std::string FakeSignature(const std::string& message) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : message) h = (h ^ c) * 1099511628211ull;
    std::string signature(kSignatureBytes, '\0');
    for (std::size_t i = 0; i < signature.size(); ++i) signature[i] = static_cast<char>(h >> (8 * (i % 8)) ^ i);
    return signature;
}

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) hex += {digits[c >> 4], digits[c & 15]};
    return hex;
}

// Every downloaded file of these tests has these bytes' digest, unless a test says otherwise.
const std::string kDigest(kSha256Bytes, '\xab');
const std::string kHash = Hex(kDigest);

// As the maker's tool signs an information file.
std::string SignedText(std::string text) {
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    return text + "#signature=" + Hex(FakeSignature(text)) + "\r\n";
}

class FakeTransfer : public UpdateTransfer {
public:
    std::vector<TransferRequest> started;
    int stops = 0;
    void Start(const TransferRequest& request, TransferListener&) override { started.push_back(request); }
    void Stop() override { ++stops; }
};

// Records every effect as one line; answers questions from a script.
class FakeShell : public UpdateShell {
public:
    std::vector<std::string> log;
    bool upgradeAnswer = true;
    std::deque<bool> yesNoAnswers;
    std::function<void()> duringQuestion;  // what the user does elsewhere while a box is open

    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
        log.push_back("message " + caption + " " + IconName(icon) + ": " + text);
    }
    bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override {
        log.push_back("ask " + caption + " " + IconName(icon) + ": " + text);
        if (duringQuestion) std::exchange(duringQuestion, nullptr)();
        const bool yes = yesNoAnswers.empty() ? false : yesNoAnswers.front();
        if (!yesNoAnswers.empty()) yesNoAnswers.pop_front();
        return yes;
    }
    bool AskUpgrade(const std::string& text) override {
        log.push_back("upgrade question: " + text);
        return upgradeAnswer;
    }
    void OpenInBrowser(const std::string& address) override { log.push_back("browser " + address); }
    // Kept apart from the log: every check opens and closes it.
    bool checkingShown = false;
    void ShowChecking() override { checkingShown = true; }
    void CloseChecking() override { checkingShown = false; }
    bool IsSignedByMaker(const std::string& message, const std::string& signature) override {
        return signature == FakeSignature(message);
    }
    std::optional<std::string> FileSha256(const std::string&) override { return fileDigest; }
    void ShowWizard() override { log.push_back("wizard"); }
    void ShowWizardFile(const std::string& line, const std::string& address) override {
        log.push_back("wizard file " + line + " " + address);
    }
    void ShowWizardFileSize(const std::string& line) override { log.push_back("wizard " + line); }
    void ShowWizardProgress(const DownloadProgress& p) override {
        log.push_back("wizard bars " + std::to_string(p.filePercent) + " " + std::to_string(p.allPercent));
    }
    void ShowWizardFinished(const std::string& text) override { log.push_back("wizard final: " + text); }
    void CloseWizard() override { log.push_back("wizard closed"); }
    void SetFileTimes(const std::string& path, std::uint64_t t) override {
        log.push_back("times " + path + " " + std::to_string(t));
    }
    void RemoveFile(const std::string& path) override { log.push_back("delete " + path); }
    void DeleteTemporaryFiles(const std::string& folder) override { log.push_back("delete " + folder + "*.uTMP"); }
    std::string DownloadFolder(const std::string& programFolder) override {
        return stagingFolder.empty() ? programFolder : stagingFolder;
    }
    std::string stagingFolder;  // set: the program's folder is not writable
    std::string HandOver(const std::string& restart, UpgradeMethod method, const UpgradePlan& files) override {
        log.push_back("hand over " + restart + " " + std::to_string(static_cast<int>(method)) + "\r\n" +
                      ComposeUpgradeList(files));
        return handOverFailure;
    }
    std::string handOverFailure;  // set: the upgrader could not be written, checked or started
    std::optional<std::string> fileDigest = kDigest;

private:
    static std::string IconName(MessageIcon icon) {
        switch (icon) {
        case MessageIcon::Information: return "info";
        case MessageIcon::Warning: return "warning";
        case MessageIcon::Error: return "error";
        case MessageIcon::Question: return "question";
        }
        return "?";
    }
};

// An information file as the maker publishes it: signed.
UpdateTransferResult Body(const std::string& text) {
    return {UpdateTransferOutcome::Success, 200, SignedText(text)};
}
UpdateTransferResult Unsigned(const std::string& text) { return {UpdateTransferOutcome::Success, 200, text}; }
UpdateTransferResult Outcome(UpdateTransferOutcome outcome, int status = 200) { return {outcome, status, ""}; }

const std::string kTwoFiles = "#version=1.3\r\n#url1=http://up.example/prey/QWK_Lurkmark.exe\r\n#sha2561=" + kHash +
                              "\r\n#url2=http://up.example/prey/version.txt\r\n#sha2562=" + kHash + "\r\n";

class UpdateFlowTest : public ::testing::Test {
protected:
    UpdaterSettings settings = LurkmarkUpdaterSettings("1.2", MakerHosts{});
    UpdateEvents events;
    FakeTransfer transfer;
    FakeShell shell;
    UpdateFlow flow{settings, events, transfer, shell, kProgram, "."};
    std::vector<std::string> raised;

    void SetUp() override {
        events.OnAborted = [this] { raised.push_back("aborted"); };
        events.OnLaterUpgrade = [this] { raised.push_back("later"); };
        events.OnHostUnreachable = [this](const std::string& address, const std::string& host) {
            raised.push_back("unreachable " + address + " " + host);
        };
        events.OnCertificateError = [this](const std::string& address) { raised.push_back("certificate " + address); };
        events.OnRefused = [this](const std::string& line) { raised.push_back("refused: " + line); };
    }

    // A check whose information file arrives at once.
    void CheckAnswering(const UpdateTransferResult& info) {
        flow.StartUpdateCheck();
        flow.OnTransferDone(info);
    }
    void FileArrives(std::optional<std::uint64_t> lastModified = std::nullopt) {
        flow.OnTransferHeaders({200, 2048, lastModified});
        flow.OnTransferProgress(1024, 2048, 1);
        flow.OnTransferDone(Body(""));
    }
};

TEST_F(UpdateFlowTest, CheckFetchesTheInformationFileWithoutCacheThroughTheProxy) {
    settings.proxy.AccessType = ProxyAccess::UseProxy;
    settings.proxy.ProxyServer = "proxy.example";
    flow.StartUpdateCheck();
    EXPECT_TRUE(shell.checkingShown);
    flow.StartUpdateCheck();  // a check is running: it says so and starts nothing
    EXPECT_EQ(shell.log, std::vector<std::string>{"message Application update wizard info: " +
                                                  std::string(kUpdateUnderWayText)});
    ASSERT_EQ(transfer.started.size(), 1u);
    EXPECT_EQ(transfer.started[0].address, kInfoUrl);
    EXPECT_EQ(transfer.started[0].targetFile, "");
    EXPECT_TRUE(transfer.started[0].noCachePragma);
    EXPECT_EQ(transfer.started[0].proxy.ProxyServer, "proxy.example");
    EXPECT_TRUE(flow.Busy());
}

TEST_F(UpdateFlowTest, CancelledCheckStopsTheTransferAtOnceAndAllowsANewOne) {
    flow.StartUpdateCheck();
    flow.CancelCheck();
    EXPECT_EQ(transfer.stops, 1);
    EXPECT_FALSE(shell.checkingShown);
    EXPECT_FALSE(flow.Busy());
    EXPECT_TRUE(shell.log.empty()) << "a cancelled check reports nothing";
    flow.StartUpdateCheck();
    EXPECT_EQ(transfer.started.size(), 2u);
    flow.OnTransferDone(Outcome(UpdateTransferOutcome::NoResponse, -1));
    EXPECT_FALSE(shell.checkingShown);
    flow.CancelCheck();  // nothing to cancel any more
    EXPECT_EQ(transfer.stops, 1);
}

TEST_F(UpdateFlowTest, NoNewerVersionOrNoFilesShowsText24) {
    for (const char* info : {"#version=1.2\r\n#url=http://up.example/a.exe", "#version=1.10\r\n#message={x}",
                             "#version=1.2.0.0\r\n#url=http://up.example/a.exe"}) {
        shell.log.clear();
        CheckAnswering(Body(info));
        EXPECT_EQ(shell.log, std::vector<std::string>{"message Application update wizard info: " +
                                                      std::string(UpdateText(24))})
            << info;
        EXPECT_FALSE(flow.Busy());
    }
    EXPECT_EQ(transfer.started.size(), 3u);
}

// The stored version lives in a key every user may write: set back, emptied or made a text,
// it still lets no signed release older than the program itself, nor the program's own, be
// offered; a newer one still is.
TEST(UpdateFlowVersion, NothingOlderThanTheProgramItselfIsOffered) {
    const std::string built = kProgramVersion;
    for (const std::string& stored : {std::string(), std::string("0.1"), built + "a"}) {
        for (const std::string& offered : {std::string("0.9"), built, built + ".1"}) {
            UpdaterSettings settings = LurkmarkUpdaterSettings(stored, MakerHosts{});
            UpdateEvents events;
            FakeTransfer transfer;
            FakeShell shell;
            UpdateFlow flow{settings, events, transfer, shell, kProgram, "."};
            flow.StartUpdateCheck();
            flow.OnTransferDone(Body("#version=" + offered + "\r\n#url=http://up.example/a.exe\r\n#sha256=" + kHash));
            const bool refused = shell.log == std::vector<std::string>{"message Application update wizard info: " +
                                                                       std::string(UpdateText(24))};
            EXPECT_EQ(refused, offered != built + ".1" || stored == built + "a") << offered << " over stored " << stored;
        }
    }
}

TEST_F(UpdateFlowTest, DeclinedUpgradeRaisesLaterUpgrade) {
    shell.upgradeAnswer = false;
    CheckAnswering(Body(kTwoFiles + "#message={Faster.}"));
    EXPECT_EQ(shell.log, std::vector<std::string>{"upgrade question: " + UpgradeQuestionText("QWK_Lurkmark", "Faster.")});
    EXPECT_EQ(raised, std::vector<std::string>{"later"});
    EXPECT_EQ(transfer.started.size(), 1u);
    EXPECT_FALSE(flow.Busy());
}

TEST_F(UpdateFlowTest, RedirectOpensTheFirstAddressInTheBrowser) {
    CheckAnswering(Body("#version=2\r\n#url=www.quenwick.example/new\r\n#url0=http://b\r\n#method=2"));
    EXPECT_EQ(shell.log.back(), "browser http://www.quenwick.example/new");
    EXPECT_EQ(transfer.started.size(), 1u);
    EXPECT_FALSE(flow.Busy());
}

TEST_F(UpdateFlowTest, FullDownloadStampsFilesFinishesWizardAndHandsOver) {
    CheckAnswering(Body(kTwoFiles + "#method=1"));
    FileArrives(123456789);
    FileArrives();
    ASSERT_EQ(transfer.started.size(), 3u);
    EXPECT_EQ(transfer.started[1].address, "http://up.example/prey/QWK_Lurkmark.exe");
    EXPECT_EQ(transfer.started[1].targetFile, "C:\\Bench\\QWK_Lurkmark.exe.uTMP");
    EXPECT_FALSE(transfer.started[1].noCachePragma);
    EXPECT_EQ(transfer.started[2].targetFile, "C:\\Bench\\version.txt.uTMP");
    const std::vector<std::string> expected = {
        "upgrade question: " + UpgradeQuestionText("QWK_Lurkmark", ""),
        "delete C:\\Bench\\*.uTMP",  // leftovers of a run cut off earlier
        "wizard",
        "wizard file Downloading 1 of 2 http://up.example/prey/QWK_Lurkmark.exe",
        "wizard File size: 2.0 Kb",
        "wizard bars 50 25",
        "times C:\\Bench\\QWK_Lurkmark.exe.uTMP 123456789",
        "wizard file Downloading 2 of 2 http://up.example/prey/version.txt",
        "wizard File size: 2.0 Kb",
        "wizard bars 50 75",
        "wizard final: " + UpdateCompletedText("QWK_Lurkmark"),
    };
    EXPECT_EQ(shell.log, expected);
    flow.StartUpdateCheck();  // the final wizard is still open: nothing starts
    EXPECT_EQ(transfer.started.size(), 3u);

    flow.WizardConfirmed();
    // A downloaded program keeps its own name: under external setup no file is a setup program.
    EXPECT_EQ(shell.log.back(), "hand over /afterupgrade 1\r\n"
                                "F|" + kHash + "|QWK_Lurkmark.exe.uTMP|QWK_Lurkmark.exe\r\n"
                                "F|" + kHash + "|version.txt.uTMP|version.txt\r\n");
    EXPECT_EQ(shell.log[shell.log.size() - 2], "wizard closed");
    EXPECT_TRUE(raised.empty());
}

TEST_F(UpdateFlowTest, MissingSecondFileAnsweredYesKeepsTheFirstAndFetchesTheThird) {
    CheckAnswering(Body("#version=2\r\n#url=http://up.example/a.exe\r\n#url2=http://up.example/b.dat\r\n"
                        "#url3=http://up.example/c.txt\r\n#sha256=" + kHash + "\r\n#sha2562=" + kHash +
                        "\r\n#sha2563=" + kHash + "\r\n"));
    FileArrives();
    shell.yesNoAnswers = {true};
    flow.OnTransferDone(Outcome(UpdateTransferOutcome::HttpStatus, 404));
    ASSERT_EQ(transfer.started.size(), 4u);
    EXPECT_EQ(transfer.started[3].targetFile, "C:\\Bench\\c.txt.uTMP");
    const std::vector<std::string> tail(shell.log.end() - 3, shell.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"delete C:\\Bench\\b.dat.uTMP",
                                              "ask Error #404 warning: " + LostFileText("b.dat"),
                                              "wizard file Downloading 3 of 3 http://up.example/c.txt"}));
    FileArrives();
    EXPECT_EQ(shell.log.back(), "wizard final: " + UpdateCompletedText("QWK_Lurkmark"));
    EXPECT_TRUE(raised.empty());
}

TEST_F(UpdateFlowTest, MissingFileAnsweredNoAborts) {
    CheckAnswering(Body(kTwoFiles));
    shell.yesNoAnswers = {false};
    flow.OnTransferDone(Outcome(UpdateTransferOutcome::HttpStatus, 401));
    const std::vector<std::string> tail(shell.log.end() - 4, shell.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"delete C:\\Bench\\QWK_Lurkmark.exe.uTMP",
                                              "ask Error #401 warning: " + LostFileText("QWK_Lurkmark.exe"),
                                              "wizard closed", "delete C:\\Bench\\*.uTMP"}));
    EXPECT_EQ(raised, std::vector<std::string>{"aborted"});
    EXPECT_EQ(transfer.started.size(), 2u);
    EXPECT_FALSE(flow.Busy());
}

TEST_F(UpdateFlowTest, UnsafeAddressIsNeverFetchedButAskedAsALostFile) {
    shell.yesNoAnswers = {true, true};
    CheckAnswering(Body("#version=2\r\n#url=http://up.example/..%5c..%5cx/\r\n#url2=http://up.example/a\\..\\..\\b.dll"
                        "\r\n#url3=http://up.example/ok.txt\r\n#sha2563=" + kHash + "\r\n"));
    ASSERT_EQ(transfer.started.size(), 2u);
    EXPECT_EQ(transfer.started[1].targetFile, "C:\\Bench\\ok.txt.uTMP");
    EXPECT_NE(std::find(shell.log.begin(), shell.log.end(),
                        "ask Error warning: " + LostFileText("http://up.example/..%5c..%5cx/")),
              shell.log.end());
    EXPECT_NE(std::find(shell.log.begin(), shell.log.end(),
                        "ask Error warning: " + LostFileText("a\\..\\..\\b.dll")),
              shell.log.end());
}

TEST_F(UpdateFlowTest, CancelConfirmedStopsDeletesTemporaryFilesAndRaisesAborted) {
    CheckAnswering(Body(kTwoFiles));
    FileArrives();
    shell.yesNoAnswers = {false};
    flow.WizardCancelRequested();  // declined: the download goes on
    EXPECT_EQ(shell.log.back(), "ask QWK_Lurkmark question: " + std::string(UpdateText(27)));
    EXPECT_EQ(transfer.stops, 0);
    shell.yesNoAnswers = {true};
    flow.WizardCancelRequested();
    EXPECT_EQ(transfer.stops, 1);
    const std::vector<std::string> tail(shell.log.end() - 2, shell.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"wizard closed", "delete C:\\Bench\\*.uTMP"}));
    EXPECT_EQ(raised, std::vector<std::string>{"aborted"});
    // A report already on its way changes nothing.
    const std::size_t effects = shell.log.size();
    flow.OnTransferDone(Body(""));
    flow.WizardConfirmed();
    EXPECT_EQ(shell.log.size(), effects);
    EXPECT_FALSE(flow.Busy());
    // A new check may start.
    flow.StartUpdateCheck();
    EXPECT_EQ(transfer.started.size(), 4u);
}

TEST_F(UpdateFlowTest, CloseBoxOfTheFinalWizardCanStillAbort) {
    CheckAnswering(Body(kTwoFiles));
    FileArrives();
    FileArrives();
    shell.yesNoAnswers = {true};
    flow.WizardCancelRequested();
    EXPECT_EQ(raised, std::vector<std::string>{"aborted"});
    flow.WizardConfirmed();
    EXPECT_NE(shell.log.back().rfind("hand over", 0), 0u);
}

TEST_F(UpdateFlowTest, AbortWhileTheLostFileQuestionIsOpenEndsOnce) {
    CheckAnswering(Body(kTwoFiles));
    shell.yesNoAnswers = {true, true};  // abort question, then the lost-file question
    shell.duringQuestion = [this] { flow.WizardCancelRequested(); };
    flow.OnTransferDone(Outcome(UpdateTransferOutcome::HttpStatus, 404));
    EXPECT_EQ(raised, std::vector<std::string>{"aborted"});
    EXPECT_EQ(transfer.started.size(), 2u);  // the "Yes" to skip came too late
}

TEST_F(UpdateFlowTest, HostUnreachable) {
    CheckAnswering(Outcome(UpdateTransferOutcome::NoResponse, -1));
    EXPECT_EQ(raised, std::vector<std::string>{"unreachable " + kInfoUrl + " update.quenwick.example"});
    EXPECT_EQ(shell.log, std::vector<std::string>{"message Application update wizard error: " +
                                                  HostUnreachableText("update.quenwick.example")});
    // While downloading: the wizard closes and the temporary files go.
    raised.clear();
    CheckAnswering(Body(kTwoFiles));
    FileArrives();
    shell.log.clear();
    flow.OnTransferDone(Outcome(UpdateTransferOutcome::NoResponse, -1));
    EXPECT_EQ(shell.log, (std::vector<std::string>{"wizard closed", "delete C:\\Bench\\*.uTMP",
                                                   "message Application update wizard error: " +
                                                       HostUnreachableText("up.example")}));
    EXPECT_EQ(raised, std::vector<std::string>{"unreachable http://up.example/prey/version.txt up.example"});
    EXPECT_FALSE(flow.Busy());
}

TEST_F(UpdateFlowTest, IncompleteTransferReportsTheLostConnection) {
    const std::string lost = "message Application update wizard error: " + std::string(UpdateText(30));
    CheckAnswering(Outcome(UpdateTransferOutcome::Incomplete));
    EXPECT_EQ(shell.log, std::vector<std::string>{lost});
    CheckAnswering(Body(kTwoFiles));
    shell.log.clear();
    flow.OnTransferDone(Outcome(UpdateTransferOutcome::Incomplete));
    EXPECT_EQ(shell.log, (std::vector<std::string>{"wizard closed", "delete C:\\Bench\\*.uTMP", lost}));
    EXPECT_TRUE(raised.empty());
    EXPECT_FALSE(flow.Busy());
}

TEST_F(UpdateFlowTest, MissingOrOversizedInformationFileEndsSilently) {
    for (UpdateTransferOutcome outcome : {UpdateTransferOutcome::HttpStatus, UpdateTransferOutcome::TooLarge}) {
        CheckAnswering(Outcome(outcome, outcome == UpdateTransferOutcome::HttpStatus ? 404 : 200));
        EXPECT_TRUE(shell.log.empty());
        EXPECT_TRUE(raised.empty());
        EXPECT_FALSE(flow.Busy());
    }
}

TEST_F(UpdateFlowTest, ComponentDefaultsShowFewerMessages) {
    settings = UpdaterSettings{};
    settings.InfoFileURL = kInfoUrl;
    CheckAnswering(Body("#version=0"));
    CheckAnswering(Outcome(UpdateTransferOutcome::NoResponse, -1));
    EXPECT_TRUE(shell.log.empty());
    EXPECT_EQ(raised.size(), 1u);  // the event is raised all the same
}

TEST_F(UpdateFlowTest, AnInformationFileNotSignedByTheMakerOffersNothing) {
    const std::string signedFile = SignedText(kTwoFiles);
    std::string flipped = signedFile;
    flipped[flipped.size() - 3] ^= 1;  // one bit of the signature's last hex digit
    std::string changed = signedFile;
    changed.replace(changed.find("1.3"), 3, "9.9");  // the signed bytes altered
    struct Case {
        std::string body;
        const char* why;
    } cases[] = {
        {kTwoFiles, "is not signed"},                          // today's format
        {flipped, "has a wrong signature"},
        {changed, "has a wrong signature"},
        {signedFile + "#url3=http://evil.example/x.dll\r\n", "is not signed"},  // nothing may follow it
        {"#signature=" + Hex(FakeSignature("#version=9\r\n")) + "\r\n", "has a wrong signature"},  // another text's
    };
    for (const Case& c : cases) {
        shell.log.clear();
        raised.clear();
        CheckAnswering(Unsigned(c.body));
        EXPECT_EQ(shell.log, std::vector<std::string>{"message Application update wizard info: " +
                                                      std::string(UpdateText(24))})
            << c.body;
        EXPECT_EQ(raised, std::vector<std::string>{"refused: Update information " + kInfoUrl + " " + c.why +
                                                   ": no update offered."})
            << c.body;
        EXPECT_FALSE(flow.Busy());
    }
    EXPECT_EQ(transfer.started.size(), std::size(cases));  // no download ever started
}

TEST_F(UpdateFlowTest, FileWhoseHashDiffersIsALostFileAndNeverHandedOver) {
    CheckAnswering(Body(kTwoFiles));
    shell.fileDigest = std::string(kSha256Bytes, '\x01');
    shell.yesNoAnswers = {true};  // skip it
    FileArrives();
    const std::vector<std::string> tail(shell.log.end() - 3, shell.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"delete C:\\Bench\\QWK_Lurkmark.exe.uTMP",
                                              "ask Error warning: " + LostFileText("QWK_Lurkmark.exe"),
                                              "wizard file Downloading 2 of 2 http://up.example/prey/version.txt"}));
    EXPECT_EQ(raised, std::vector<std::string>{"refused: Update file http://up.example/prey/QWK_Lurkmark.exe does "
                                               "not have the published SHA-256: discarded."});
    shell.fileDigest = kDigest;
    FileArrives();
    flow.WizardConfirmed();
    EXPECT_EQ(shell.log.back(), "hand over /afterupgrade 0\r\nF|" + kHash + "|version.txt.uTMP|version.txt\r\n");
}

TEST_F(UpdateFlowTest, UnreadableDownloadAnsweredNoAborts) {
    CheckAnswering(Body(kTwoFiles));
    shell.fileDigest = std::nullopt;
    shell.yesNoAnswers = {false};
    FileArrives();
    ASSERT_EQ(raised.size(), 2u);
    EXPECT_EQ(raised.back(), "aborted");
    EXPECT_FALSE(flow.Busy());
}

TEST_F(UpdateFlowTest, AddressWithoutAHashIsNeverFetched) {
    shell.yesNoAnswers = {true};
    CheckAnswering(Body("#version=2\r\n#url1=http://up.example/a.dll\r\n#sha2561=abc\r\n"
                        "#url2=http://up.example/b.dll\r\n#sha2562=" + kHash + "\r\n"));
    ASSERT_EQ(transfer.started.size(), 2u);
    EXPECT_EQ(transfer.started[1].targetFile, "C:\\Bench\\b.dll.uTMP");
    EXPECT_EQ(raised, std::vector<std::string>{"refused: Update file http://up.example/a.dll has no SHA-256 in the "
                                               "information file: not fetched."});
}

TEST_F(UpdateFlowTest, TheBrowserOpensOnlyWebAddresses) {
    for (const char* address : {"file:///C:/payload.exe", "FILE://server/share/x.exe", "javascript://x",
                                "ftp://up.example/x"}) {
        raised.clear();
        shell.log.clear();
        CheckAnswering(Body(std::string("#version=2\r\n#url=") + address + "\r\n#method=2\r\n"));
        EXPECT_EQ(raised, (std::vector<std::string>{"refused: Update address " + std::string(address) +
                                                        " is not a web address: not opened.",
                                                    "aborted"}));
        EXPECT_EQ(shell.log.size(), 1u) << "only the question: " << address;
    }
    CheckAnswering(Body("#version=2\r\n#url=HTTPS://www.quenwick.example/new\r\n#method=2\r\n"));
    EXPECT_EQ(shell.log.back(), "browser HTTPS://www.quenwick.example/new");
}

TEST_F(UpdateFlowTest, CertificateErrorHasItsOwnReportNotTheUnreachableOne) {
    CheckAnswering(Outcome(UpdateTransferOutcome::CertificateError, -1));
    EXPECT_EQ(raised, std::vector<std::string>{"certificate " + kInfoUrl});
    EXPECT_TRUE(shell.log.empty());
    raised.clear();
    CheckAnswering(Body(kTwoFiles));
    shell.log.clear();
    flow.OnTransferDone(Outcome(UpdateTransferOutcome::CertificateError, -1));
    EXPECT_EQ(shell.log, (std::vector<std::string>{"wizard closed", "delete C:\\Bench\\*.uTMP"}));
    EXPECT_EQ(raised, std::vector<std::string>{"certificate http://up.example/prey/QWK_Lurkmark.exe"});
    EXPECT_FALSE(flow.Busy());
}

// A program folder this user may not write: the downloads wait in a folder of the user's own,
// and the upgrader is told where.
TEST_F(UpdateFlowTest, DownloadsOutsideAProtectedProgramFolderAreHandedOverWithTheirFolder) {
    shell.stagingFolder = "C:\\Users\\Ann\\Temp\\Lurkmark update\\";
    CheckAnswering(Body(kTwoFiles));
    EXPECT_EQ(transfer.started[1].targetFile, shell.stagingFolder + "QWK_Lurkmark.exe.uTMP");
    FileArrives();
    EXPECT_EQ(transfer.started[2].targetFile, shell.stagingFolder + "version.txt.uTMP");
    FileArrives();
    flow.WizardConfirmed();
    EXPECT_EQ(shell.log.back(), "hand over /afterupgrade 0\r\nD|" + shell.stagingFolder + "\r\nF|" + kHash +
                                    "|QWK_Lurkmark.exe.uTMP|QWK_Lurkmark.exe\r\nF|" + kHash +
                                    "|version.txt.uTMP|version.txt\r\n");
    EXPECT_NE(std::find(shell.log.begin(), shell.log.end(), "delete " + shell.stagingFolder + "*.uTMP"),
              shell.log.end());
}

// The upgrader could not be written or checked: nothing starts, no download is deleted, the
// user is told and the debug log says why; a new check can start.
TEST_F(UpdateFlowTest, FailedHandOverKeepsTheDownloadsAndSaysSo) {
    CheckAnswering(Body(kTwoFiles));
    FileArrives();
    FileArrives();
    shell.handOverFailure = "C:\\Temp\\Lurkmark upgrader 1f\\Upgrader.exe could not be written (error 32)";
    const std::size_t before = shell.log.size();
    flow.WizardConfirmed();
    ASSERT_EQ(shell.log.size(), before + 3);
    EXPECT_EQ(shell.log[before + 2], "message " + std::string(UpdateText(0)) + " error: " + HandOverFailedText(shell.handOverFailure, "C:\\Bench\\"));
    for (std::size_t i = before; i < shell.log.size(); ++i) EXPECT_EQ(shell.log[i].rfind("delete", 0), std::string::npos) << shell.log[i];
    EXPECT_EQ(raised, std::vector<std::string>{"refused: Upgrader not started: " + shell.handOverFailure + "."});
    EXPECT_FALSE(flow.Busy());
}

// The information file sent on to an address that is not followed: no newer version, and the
// debug log names the address.
TEST_F(UpdateFlowTest, RefusedRedirectOfTheInformationFileShowsText24AndNamesTheAddress) {
    UpdateTransferResult refused = Outcome(UpdateTransferOutcome::HttpStatus, 302);
    refused.refusedRedirect = "file:///C:/x.inf";
    CheckAnswering(refused);
    EXPECT_EQ(shell.log, std::vector<std::string>{"message " + std::string(UpdateText(0)) + " info: " + UpdateText(24)});
    EXPECT_EQ(raised, std::vector<std::string>{"refused: Update information " + kInfoUrl +
                                               " was redirected to file:///C:/x.inf, which is not followed: no update "
                                               "offered."});
}

}  // namespace
