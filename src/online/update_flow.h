#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "online/download_progress.h"
#include "online/update_info.h"
#include "online/update_transfer.h"
#include "upgrader/upgrade_plan.h"

// Which of the update component's own messages are shown (the component's defaults).
struct UpdateMessages {
    bool askUpgrade = true;
    bool connLost = true;
    bool hostUnreachable = false;
    bool lostFile = true;
    bool noInfoFile = false;
    bool noUpdateAvailable = false;
};

// The download wizard's options that this program sets (it is always shown, on top).
struct WizardOptions {
    bool HideFileLocation = false;
};

struct UpdaterSettings {
    std::string InfoFileURL = "http://";
    std::string VersionNumber;
    std::string RestartParams = "/afterupgrade";
    UpdateMessages ShowMessages;
    WizardOptions Wizard;
    ProxyConfig proxy;
};

// The events the program may handle; an unassigned one is simply not raised.
struct UpdateEvents {
    std::function<void()> OnAborted;
    std::function<void()> OnLaterUpgrade;
    std::function<void(const std::string& address, const std::string& host)> OnHostUnreachable;
    // The server's certificate was not trusted (or the secure connection failed): nothing was
    // read from it.
    std::function<void(const std::string& address)> OnCertificateError;
    // Why something from the server was refused (a missing or wrong signature, a file whose
    // hash differs, an address the browser must not open): one line for the debug log.
    std::function<void(const std::string& line)> OnRefused;
};

enum class MessageIcon { Information, Warning, Error, Question };

// Shown while the information file is fetched, with a Cancel button.
constexpr const char* kCheckingText = "Checking for updates...";
// A press of the update button while a check or download runs.
constexpr const char* kUpdateUnderWayText = "An update check or download is already under way.";

// The effects the update flow asks for; the Win32 side performs them.
class UpdateShell {
public:
    virtual ~UpdateShell() = default;
    virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // A Yes/No box; true only for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // The upgrade question window; true for "&Yes", false for "&Later" or the close box.
    virtual bool AskUpgrade(const std::string& text) = 0;
    virtual void OpenInBrowser(const std::string& address) = 0;

    // The "Checking for updates..." window; its Cancel calls CancelCheck.
    virtual void ShowChecking() = 0;
    virtual void CloseChecking() = 0;
    // True when `signature` is the maker's signature of exactly these bytes.
    virtual bool IsSignedByMaker(const std::string& message, const std::string& signature) = 0;
    // The raw SHA-256 digest of a downloaded file; nothing when it cannot be read.
    virtual std::optional<std::string> FileSha256(const std::string& path) = 0;

    // The download wizard, shown while files download and in its final state.
    virtual void ShowWizard() = 0;
    virtual void ShowWizardFile(const std::string& downloadingLine, const std::string& address) = 0;
    virtual void ShowWizardFileSize(const std::string& fileSizeLine) = 0;
    virtual void ShowWizardProgress(const DownloadProgress& progress) = 0;
    virtual void ShowWizardFinished(const std::string& completedText) = 0;
    virtual void CloseWizard() = 0;

    virtual void SetFileTimes(const std::string& path, std::uint64_t fileTimeUtc) = 0;
    virtual void RemoveFile(const std::string& path) = 0;
    // Every "*.uTMP" file in the folder.
    virtual void DeleteTemporaryFiles(const std::string& folder) = 0;
    // Where downloads wait for the upgrader (with trailing backslash): the program's folder
    // when this user may write it, else a folder of the user's own.
    virtual std::string DownloadFolder(const std::string& programFolder) = 0;
    // Writes, checks and starts the upgrader with exactly these files to apply, then ends the
    // program. On failure nothing is started and the program goes on: what went wrong.
    virtual std::string HandOver(const std::string& restartParams, UpgradeMethod method, const UpgradePlan& files) = 0;
};

// The update check, the downloads and their failures, as decisions over the effects above.
// Everything runs on the main thread: the transfer reports, the dialogs' answers and the
// wizard's buttons all arrive here.
class UpdateFlow : public TransferListener {
public:
    // programPath: the executable's full path; its folder receives the downloads.
    UpdateFlow(UpdaterSettings& settings, UpdateEvents& events, UpdateTransfer& transfer, UpdateShell& shell,
               std::string programPath, std::string decimalSeparator);

    // Starts a check; while a check, question, download or final wizard is under way it
    // says so instead.
    void StartUpdateCheck();
    // The checking window's Cancel: the check ends at once and reports nothing.
    void CancelCheck();
    // The wizard's "&Cancel" or its close box: asks whether to abort.
    void WizardCancelRequested();
    // The wizard's "&OK" in its final state: hands over to the upgrader.
    void WizardConfirmed();

    bool Busy() const { return mode_ != Mode::Idle; }

    void OnTransferHeaders(const TransferHeaders& headers) override;
    void OnTransferProgress(long long received, long long contentLength, long long elapsedSeconds) override;
    void OnTransferDone(const UpdateTransferResult& result) override;

private:
    enum class Mode { Idle, Checking, Asking, Downloading, Finished, HandedOver };

    void InfoFileDone(const UpdateTransferResult& result);
    void OfferUpgrade(const UpdateInfo& info);
    void FileDone(const UpdateTransferResult& result);
    void StartNextFile();
    // Deletes the current file's download and asks the lost-file question: on to the next file,
    // or abort.
    void LoseFile(const std::string& address, int status);
    // The lost-file question; true to go on with the next file.
    bool SkipLostFile(const std::string& address, int status);
    void FailDownloads();
    void Abort();
    void ReportHostUnreachable(const std::string& address);
    void ReportConnectionLost();
    void ReportCertificateError(const std::string& address);
    void Refuse(const std::string& line);
    void ShowNoUpdate();
    // The downloaded files as the upgrader applies them, each with its published hash.
    UpgradePlan PlannedUpgrade() const;

    UpdaterSettings& settings_;
    UpdateEvents& events_;
    UpdateTransfer& transfer_;
    UpdateShell& shell_;
    std::string programFolder_;
    std::string programFile_;
    // Where this run's downloads go (with trailing backslash).
    std::string downloadFolder_;
    std::string title_;
    std::string decimalSeparator_;

    Mode mode_ = Mode::Idle;
    std::vector<std::string> files_;
    std::vector<std::string> fileHashes_;
    // The files downloaded and verified so far: temporary path and published hash.
    std::vector<std::pair<std::string, std::string>> downloaded_;
    UpgradeMethod method_ = UpgradeMethod::SelfUpgrade;
    // The information file of the upgrade offered, as received (signature checked).
    std::string signedInformation_;
    std::size_t index_ = 0;
    std::string target_;
    TransferHeaders headers_;
};
