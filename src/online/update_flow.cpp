#include "online/update_flow.h"

#include <utility>

#include "online/download_address.h"
#include "online/update_signature.h"
#include "online/update_texts.h"
#include "online/version_compare.h"
#include "upgrader/version_order.h"
#include "platform/handler_call.h"
#include "platform/ascii_case.h"

UpdateFlow::UpdateFlow(UpdaterSettings& settings, UpdateEvents& events, UpdateTransfer& transfer,
                       UpdateShell& shell, std::string programPath, std::string decimalSeparator)
    : settings_(settings),
      events_(events),
      transfer_(transfer),
      shell_(shell),
      programFolder_(programPath.substr(0, programPath.find_last_of('\\') + 1)),
      programFile_(programPath.substr(programFolder_.size())),
      title_(ApplicationTitle(programPath)),
      decimalSeparator_(std::move(decimalSeparator)) {}

void UpdateFlow::StartUpdateCheck() {
    if (mode_ != Mode::Idle) {
        shell_.ShowMessage(kUpdateUnderWayText, UpdateText(0), MessageIcon::Information);
        return;
    }
    mode_ = Mode::Checking;
    shell_.ShowChecking();
    transfer_.Start({settings_.InfoFileURL, "", true, settings_.proxy}, *this);
}

void UpdateFlow::CancelCheck() {
    if (mode_ != Mode::Checking) return;
    mode_ = Mode::Idle;
    transfer_.Stop();
    shell_.CloseChecking();
}

void UpdateFlow::OnTransferHeaders(const TransferHeaders& headers) {
    if (mode_ != Mode::Downloading) return;
    headers_ = headers;
    shell_.ShowWizardFileSize(FileSizeLine(headers.contentLength, decimalSeparator_));
}

void UpdateFlow::OnTransferProgress(long long received, long long contentLength, long long elapsedSeconds) {
    if (mode_ != Mode::Downloading) return;
    shell_.ShowWizardProgress(ComputeDownloadProgress(static_cast<int>(index_), static_cast<int>(files_.size()),
                                                      received, contentLength, elapsedSeconds, decimalSeparator_));
}

void UpdateFlow::OnTransferDone(const UpdateTransferResult& result) {
    if (mode_ == Mode::Checking) {
        mode_ = Mode::Idle;
        shell_.CloseChecking();
        InfoFileDone(result);
    } else if (mode_ == Mode::Downloading) {
        FileDone(result);
    }
}

void UpdateFlow::InfoFileDone(const UpdateTransferResult& result) {
    switch (result.outcome) {
    case UpdateTransferOutcome::Success: {
        // Nothing of the file is acted on unless the maker signed exactly these bytes; only
        // the signed part is read.
        const auto signedText = SplitSignedText(result.body);
        if (!signedText) {
            Refuse("Update information " + settings_.InfoFileURL + " is not signed: no update offered.");
            ShowNoUpdate();
            break;
        }
        if (!shell_.IsSignedByMaker(signedText->message, signedText->signature)) {
            Refuse("Update information " + settings_.InfoFileURL + " has a wrong signature: no update offered.");
            ShowNoUpdate();
            break;
        }
        const UpdateInfo info = ParseUpdateInfo(signedText->message);
        signedInformation_ = result.body;
        // The stored version is in a key every user may write: an update must be newer than
        // the program itself too, or a release the maker once signed could come back with its flaws.
        if (CompareVersionsByNumber(info.version, settings_.VersionNumber) > 0 &&
            CompareVersionsByNumber(info.version, kProgramVersion) > 0 && !info.files.empty()) {
            OfferUpgrade(info);
        } else {
            ShowNoUpdate();
        }
        break;
    }
    case UpdateTransferOutcome::NoResponse:
        ReportHostUnreachable(settings_.InfoFileURL);
        break;
    case UpdateTransferOutcome::CertificateError:
        ReportCertificateError(settings_.InfoFileURL);
        break;
    case UpdateTransferOutcome::Incomplete:
        ReportConnectionLost();
        break;
    case UpdateTransferOutcome::HttpStatus:
        // Sent on to an address the program does not follow: refused like an unsigned file.
        if (!result.refusedRedirect.empty()) {
            Refuse("Update information " + settings_.InfoFileURL + " was redirected to " + result.refusedRedirect +
                   ", which is not followed: no update offered.");
            ShowNoUpdate();
            break;
        }
        [[fallthrough]];
    case UpdateTransferOutcome::TargetNotCreated:
    case UpdateTransferOutcome::TooLarge:
        if (settings_.ShowMessages.noInfoFile) shell_.ShowMessage(UpdateText(25), UpdateText(0), MessageIcon::Error);
        break;
    }
}

void UpdateFlow::ShowNoUpdate() {
    if (settings_.ShowMessages.noUpdateAvailable) {
        shell_.ShowMessage(UpdateText(24), UpdateText(0), MessageIcon::Information);
    }
}

void UpdateFlow::OfferUpgrade(const UpdateInfo& info) {
    files_ = info.files;
    fileHashes_ = info.fileHashes;
    method_ = info.method;
    if (settings_.ShowMessages.askUpgrade) {
        mode_ = Mode::Asking;
        const bool yes = shell_.AskUpgrade(UpgradeQuestionText(title_, info.message));
        mode_ = Mode::Idle;
        if (!yes) {
            CallHandler(events_.OnLaterUpgrade);
            return;
        }
    }
    if (method_ == UpgradeMethod::RedirectToURL) {
        // The browser is the shell's "open": a file or program address would be run.
        const std::string address = WithHttpScheme(files_.front());
        const std::string scheme = AsciiLower(address.substr(0, address.find("://")));
        if (scheme == "http" || scheme == "https") {
            shell_.OpenInBrowser(address);
        } else {
            Refuse("Update address " + address + " is not a web address: not opened.");
            CallHandler(events_.OnAborted);
        }
        return;
    }
    mode_ = Mode::Downloading;
    index_ = 0;
    downloaded_.clear();
    // A download cut off when the program last ended would otherwise go to the upgrader
    // with this run's files.
    downloadFolder_ = shell_.DownloadFolder(programFolder_);
    shell_.DeleteTemporaryFiles(downloadFolder_);
    shell_.ShowWizard();
    StartNextFile();
}

// Starts the file at index_, skipping the ones given up as lost; after the last file the
// wizard waits in its final state for "&OK".
void UpdateFlow::StartNextFile() {
    while (index_ < files_.size()) {
        const std::string& address = files_[index_];
        shell_.ShowWizardFile(DownloadingLine(static_cast<int>(index_) + 1, static_cast<int>(files_.size())),
                              address);
        headers_ = TransferHeaders{};
        const auto target = TemporaryFileFor(downloadFolder_, address);
        if (target && DecodeHex(fileHashes_[index_], kSha256Bytes)) {
            target_ = *target;
            transfer_.Start({address, target_, false, settings_.proxy}, *this);
            return;
        }
        // An address that would not name a file inside the program's folder, or one without
        // its hash, is never fetched: it counts as a lost file.
        if (target) Refuse("Update file " + address + " has no SHA-256 in the information file: not fetched.");
        if (!SkipLostFile(address, 0)) return;
        ++index_;
    }
    mode_ = Mode::Finished;
    shell_.ShowWizardFinished(UpdateCompletedText(title_));
}

void UpdateFlow::FileDone(const UpdateTransferResult& result) {
    const std::string address = files_[index_];
    switch (result.outcome) {
    case UpdateTransferOutcome::Success: {
        const auto digest = shell_.FileSha256(target_);
        if (!digest || !Sha256Matches(fileHashes_[index_], *digest)) {
            // Not the file the maker published: as good as lost.
            Refuse("Update file " + address + " does not have the published SHA-256: discarded.");
            LoseFile(address, 0);
            break;
        }
        if (headers_.lastModifiedUtc) shell_.SetFileTimes(target_, *headers_.lastModifiedUtc);
        downloaded_.emplace_back(target_, AsciiLower(fileHashes_[index_]));
        ++index_;
        StartNextFile();
        break;
    }
    case UpdateTransferOutcome::NoResponse:
        FailDownloads();
        ReportHostUnreachable(address);
        break;
    case UpdateTransferOutcome::CertificateError:
        FailDownloads();
        ReportCertificateError(address);
        break;
    case UpdateTransferOutcome::Incomplete:
        FailDownloads();
        ReportConnectionLost();
        break;
    case UpdateTransferOutcome::HttpStatus:
    case UpdateTransferOutcome::TargetNotCreated:
    case UpdateTransferOutcome::TooLarge:
        LoseFile(address, result.outcome == UpdateTransferOutcome::HttpStatus ? result.status : 0);
        break;
    }
}

void UpdateFlow::LoseFile(const std::string& address, int status) {
    shell_.RemoveFile(target_);
    if (!SkipLostFile(address, status)) return;
    ++index_;
    StartNextFile();
}

bool UpdateFlow::SkipLostFile(const std::string& address, int status) {
    if (!settings_.ShowMessages.lostFile) return true;
    const std::string segment = LastSegment(address);
    const bool yes = shell_.AskYesNo(LostFileText(segment.empty() ? address : segment), LostFileCaption(status),
                                     MessageIcon::Warning);
    // The wizard stays usable while the question is open: it may have aborted meanwhile.
    if (mode_ != Mode::Downloading) return false;
    if (!yes) {
        Abort();
        return false;
    }
    return true;
}

void UpdateFlow::WizardCancelRequested() {
    if (mode_ != Mode::Downloading && mode_ != Mode::Finished) return;
    const bool yes = shell_.AskYesNo(UpdateText(27), title_, MessageIcon::Question);
    // A failure may have ended the downloads while the question was open.
    if (yes && (mode_ == Mode::Downloading || mode_ == Mode::Finished)) Abort();
}

void UpdateFlow::WizardConfirmed() {
    if (mode_ != Mode::Finished) return;
    mode_ = Mode::HandedOver;
    shell_.CloseWizard();
    const std::string failure = shell_.HandOver(settings_.RestartParams, method_, PlannedUpgrade());
    if (failure.empty()) return;
    // The downloads stay where they are: nothing of them was applied.
    mode_ = Mode::Idle;
    Refuse("Upgrader not started: " + failure + ".");
    shell_.ShowMessage(HandOverFailedText(failure, downloadFolder_), UpdateText(0), MessageIcon::Error);
}

UpgradePlan UpdateFlow::PlannedUpgrade() const {
    std::vector<std::string> names;
    for (const auto& file : downloaded_) names.push_back(file.first.substr(downloadFolder_.size()));
    UpgradePlan plan = PlanUpgrade(names, programFile_, method_ == UpgradeMethod::UseExternalSetup);
    for (FileReplacement& r : plan.replacements) {
        for (const auto& file : downloaded_) {
            if (file.first == downloadFolder_ + r.temporaryName) r.sha256 = file.second;
        }
    }
    if (downloadFolder_ != programFolder_) plan.downloadFolder = downloadFolder_;
    plan.signedInformation = signedInformation_;
    return plan;
}

void UpdateFlow::FailDownloads() {
    mode_ = Mode::Idle;
    shell_.CloseWizard();
    shell_.DeleteTemporaryFiles(downloadFolder_);
}

void UpdateFlow::Abort() {
    mode_ = Mode::Idle;
    transfer_.Stop();
    shell_.CloseWizard();
    shell_.DeleteTemporaryFiles(downloadFolder_);
    CallHandler(events_.OnAborted);
}

void UpdateFlow::ReportHostUnreachable(const std::string& address) {
    const std::string host = HostOfAddress(address);
    CallHandler(events_.OnHostUnreachable, address, host);
    if (settings_.ShowMessages.hostUnreachable) {
        shell_.ShowMessage(HostUnreachableText(host), UpdateText(0), MessageIcon::Error);
    }
}

void UpdateFlow::ReportCertificateError(const std::string& address) {
    CallHandler(events_.OnCertificateError, address);
}

void UpdateFlow::Refuse(const std::string& line) {
    CallHandler(events_.OnRefused, line);
}

void UpdateFlow::ReportConnectionLost() {
    if (settings_.ShowMessages.connLost) shell_.ShowMessage(UpdateText(30), UpdateText(0), MessageIcon::Error);
}
